#include "BirdSounds.h"

#include "MediaCommon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pemmaro::media {

namespace {

constexpr double two_pi = 2 * std::numbers::pi;

Voice draw_voice(Random& random) {
    Voice v;
    v.kind = static_cast<CallKind>(random.below(7));
    switch (v.kind) {
    case CallKind::whistle:
        v.pitch = random.between(1800, 4500);
        v.sweep = random.between(0.1, 0.5) * (random.chance(0.5) ? 1 : -1);
        v.note_length = random.between(0.25, 0.7);
        v.note_gap = random.between(0.08, 0.25);
        v.notes = 2 + random.below(4);
        v.phrase_gap = random.between(1.5, 4);
        v.harmonics = 1 + random.below(2);
        v.brightness = random.between(0.1, 0.3);
        v.vibrato_rate = random.between(4, 12);
        v.vibrato_depth = random.between(0, 0.03);
        break;
    case CallKind::trill:
        v.pitch = random.between(2500, 6500);
        v.sweep = random.between(0.05, 0.25);
        v.note_length = random.between(0.025, 0.05);
        v.note_gap = random.between(0.01, 0.03);
        v.notes = 12 + random.below(29);
        v.phrase_gap = random.between(1.5, 3.5);
        v.harmonics = 1 + random.below(2);
        v.brightness = random.between(0.1, 0.3);
        break;
    case CallKind::chirps:
        v.pitch = random.between(3000, 7000);
        v.sweep = random.between(0.3, 0.7);
        v.note_length = random.between(0.05, 0.12);
        v.note_gap = random.between(0.05, 0.15);
        v.notes = 3 + random.below(6);
        v.phrase_gap = random.between(1, 3);
        v.harmonics = 1 + random.below(3);
        v.brightness = random.between(0.2, 0.4);
        break;
    case CallKind::crow:
        v.pitch = random.between(400, 900);
        v.sweep = random.between(0.2, 0.5);
        v.note_length = random.between(0.2, 0.5);
        v.note_gap = random.between(0.05, 0.1);
        v.notes = 3 + random.below(3);
        v.phrase_gap = random.between(4, 8);
        v.harmonics = 6 + random.below(5);
        v.brightness = random.between(0.6, 0.8);
        v.roughness_rate = random.between(30, 70);
        v.roughness_depth = random.between(0.2, 0.5);
        break;
    case CallKind::warble:
        v.pitch = random.between(1500, 3500);
        v.sweep = random.between(0.2, 0.5);
        v.note_length = random.between(0.08, 0.18);
        v.note_gap = random.between(0.02, 0.06);
        v.notes = 6 + random.below(9);
        v.phrase_gap = random.between(1.5, 3);
        v.harmonics = 2;
        v.brightness = random.between(0.2, 0.4);
        v.vibrato_rate = random.between(15, 35);
        v.vibrato_depth = random.between(0.01, 0.05);
        break;
    case CallKind::tuk:
        v.pitch = random.between(500, 1500);
        v.sweep = random.between(0.02, 0.1);
        v.note_length = random.between(0.04, 0.07);
        v.note_gap = random.between(0.15, 0.35);
        v.notes = 10 + random.below(21);
        v.phrase_gap = random.between(2, 5);
        v.harmonics = 3;
        v.brightness = random.between(0.3, 0.5);
        break;
    case CallKind::hoot:
        v.pitch = random.between(250, 700);
        v.sweep = random.between(0.1, 0.3);
        v.note_length = random.between(0.3, 0.6);
        v.note_gap = random.between(0.2, 0.5);
        v.notes = 2 + random.below(7);
        v.phrase_gap = random.between(3, 6);
        v.harmonics = 4;
        v.brightness = random.between(0.3, 0.5);
        v.accelerate = random.between(0.75, 1.0);
        v.roughness_rate = random.between(20, 40);
        v.roughness_depth = random.between(0, 0.2);
        break;
    }
    for (double& step : v.steps)
        step = random.between(0.8, 1.25);
    v.steps[0] = 1;
    v.step_stride = 1 + random.below(3);
    v.pan = random.between(-0.6, 0.6);
    return v;
}

// The note's frequency as a multiple of its pitch at u in [0, 1].
double contour(const Voice& v, double u, double direction) {
    switch (v.kind) {
    case CallKind::whistle:
        return 1 + v.sweep * (u - 0.5) * direction;
    case CallKind::trill:
    case CallKind::crow:
        return 1 + v.sweep * std::sin(std::numbers::pi * u);
    case CallKind::chirps:
        return 1 + v.sweep * ((1 - u) * (1 - u) - 0.3);
    case CallKind::warble:
        return 1 + v.sweep * std::sin(two_pi * (1.5 * u + 0.25 * direction));
    case CallKind::tuk:
        return 1 - v.sweep * u;
    case CallKind::hoot:
        return 1 + v.sweep * ((u < 0.3 ? u / 0.3 : 1 - (u - 0.3) / 0.7) - 0.5);
    }
    return 1;
}

double envelope(double u, double attack, double release) {
    if (u < attack) {
        const double s = std::sin(std::numbers::pi / 2 * u / attack);
        return s * s;
    }
    if (u > 1 - release) {
        const double s = std::sin(std::numbers::pi / 2 * (1 - u) / release);
        return s * s;
    }
    return 1;
}

struct Note {
    std::size_t start = 0;
    double seconds = 0;
    double pitch = 0;
    double direction = 1;
};

void add_note(std::span<float> out, int rate, const Voice& v, const Note& note, double level) {
    const double nyquist_limit = 0.45 * rate;
    double pitch = note.pitch;
    while (pitch * (1 + std::abs(v.sweep)) * (1 + v.vibrato_depth) > 0.42 * rate)
        pitch /= 2; // a lower octave, so narrow-band encodings keep the song
    const bool percussive = v.kind == CallKind::tuk || v.kind == CallKind::chirps;
    const double attack = percussive ? 0.05 : 0.12;
    const double release = percussive ? 0.6 : 0.3;
    double norm = 0;
    for (int k = 0; k < v.harmonics; ++k)
        norm += std::pow(v.brightness, k);
    const auto count = static_cast<std::size_t>(note.seconds * rate);
    double phase = 0;
    for (std::size_t i = 0; i < count && note.start + i < out.size(); ++i) {
        const double u = static_cast<double>(i) / static_cast<double>(count);
        const double t = static_cast<double>(i) / rate;
        double f = pitch * contour(v, u, note.direction);
        if (v.vibrato_depth > 0)
            f *= 1 + v.vibrato_depth * std::sin(two_pi * v.vibrato_rate * t);
        phase += two_pi * f / rate;
        double value = 0;
        double amplitude = 1;
        for (int k = 1; k <= v.harmonics && k * f < nyquist_limit; ++k) {
            value += amplitude * std::sin(k * phase);
            amplitude *= v.brightness;
        }
        double gain = level * envelope(u, attack, release) / norm;
        if (v.roughness_depth > 0)
            gain *= 1 - v.roughness_depth * (0.5 + 0.5 * std::sin(two_pi * v.roughness_rate * t));
        out[note.start + i] += static_cast<float>(gain * value);
    }
}

} // namespace

Voice voice_for_species(int unique_id, int species_id) {
    Random random(seed_of({unique_id, species_id}));
    return draw_voice(random);
}

Voice voice_for_key(std::string_view key) {
    Random random(text_hash(key));
    return draw_voice(random);
}

void add_song(std::span<float> out, int rate, const Singer& singer, std::uint64_t seed) {
    const Voice& v = singer.voice;
    Random random(seed);
    const double seconds = static_cast<double>(out.size()) / rate;
    double t = random.between(0.1, 0.5) * std::min(v.phrase_gap, seconds / 2);
    int phrase = 0;
    while (t < seconds) {
        const double shift = 1 + 0.03 * random.normal();
        const int notes = std::max(1, v.notes + random.below(3) - 1);
        double gap = v.note_gap;
        for (int i = 0; i < notes && t < seconds; ++i) {
            Note note;
            note.start = static_cast<std::size_t>(t * rate);
            note.seconds = v.note_length * random.between(0.85, 1.15);
            const std::size_t step = static_cast<std::size_t>(i * v.step_stride + phrase) % 4;
            note.pitch = v.pitch * shift * v.steps[step] * (1 + 0.015 * random.normal());
            note.direction = (i + phrase) % 2 == 0 ? 1 : -1;
            add_note(out, rate, v, note, singer.level);
            t += note.seconds + gap * random.between(0.8, 1.2);
            gap *= v.accelerate;
        }
        t += v.phrase_gap * random.between(0.7, 1.3) / std::max(0.05, singer.density);
        ++phrase;
    }
}

void add_background(std::span<float> out, int rate, std::uint64_t seed, double level) {
    Random random(seed);
    // One-pole low passes: a soft hiss near 2 kHz and a rumble near 150 Hz.
    const double hiss_pole = std::exp(-two_pi * 2000.0 / rate);
    const double rumble_pole = std::exp(-two_pi * 150.0 / rate);
    double hiss = 0;
    double rumble = 0;
    for (float& sample : out) {
        const double white = random.uniform() * 2 - 1;
        hiss = hiss_pole * hiss + (1 - hiss_pole) * white;
        rumble = rumble_pole * rumble + (1 - rumble_pole) * white;
        sample += static_cast<float>(level * (1.5 * hiss + 4 * rumble));
    }
}

void clip(std::span<float> samples) {
    for (float& sample : samples)
        sample = std::clamp(sample, -1.0f, 1.0f);
}

std::vector<float> render_recording(std::span<const Singer> singers, int rate, double seconds,
                                    std::uint64_t seed) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate), 0.0f);
    add_background(samples, rate, seed, 0.012);
    std::uint64_t singer_seed = seed;
    for (const Singer& singer : singers) {
        singer_seed = mix_bits(singer_seed);
        add_song(samples, rate, singer, singer_seed);
    }
    clip(samples);
    return samples;
}

} // namespace pemmaro::media
