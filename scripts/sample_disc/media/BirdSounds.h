#pragma once
// Synthetic bird song: each species gets a voice (kind of call, pitch,
// rhythm, phrase pattern, timbre) drawn from its identifiers, so a recording
// sounds the same on every build and different from the other species.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pemmaro::media {

enum class CallKind { whistle, trill, chirps, crow, warble, tuk, hoot };

struct Voice {
    CallKind kind = CallKind::whistle;
    double pitch = 3000;      // Hz
    double sweep = 0.2;       // relative frequency change within a note
    double note_length = 0.2; // s
    double note_gap = 0.1;    // s
    int notes = 4;            // per phrase
    double phrase_gap = 2;    // s
    int harmonics = 1;
    double brightness = 0.3; // amplitude ratio from one harmonic to the next
    double vibrato_rate = 0, vibrato_depth = 0;
    double roughness_rate = 0, roughness_depth = 0;
    std::array<double, 4> steps{1, 1, 1, 1}; // pitch ratios a phrase walks through
    int step_stride = 1;
    double accelerate = 1; // gap factor from one note to the next
    double pan = 0;        // -1 left .. 1 right
};

Voice voice_for_species(int unique_id, int species_id);
// For a recording without species.
Voice voice_for_key(std::string_view key);

struct Singer {
    Voice voice;
    double level = 0.5;
    double density = 1; // below 1: fewer phrases
};

// Adds the singer's phrases over the whole buffer.
void add_song(std::span<float> out, int rate, const Singer& singer, std::uint64_t seed);
// Low, filtered hiss and a little rumble, as under every field recording.
void add_background(std::span<float> out, int rate, std::uint64_t seed, double level);
// The singers over background noise, mono, clipped to [-1, 1].
std::vector<float> render_recording(std::span<const Singer> singers, int rate, double seconds,
                                    std::uint64_t seed);
void clip(std::span<float> samples);

} // namespace pemmaro::media
