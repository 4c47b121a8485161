#pragma once
// The sonogram of a recording: levels per frequency band over time, computed
// with FFTW from the frames the audio output plays (44.1 kHz; the two
// channels mixed). Column c is centred on frame c * hop (the first window is
// padded with silence before the start); a column holds the level of each of
// the window_size / 2 + 1 bands, from 0 Hz up to half the output's rate.
//
// Threads: one worker fills a Sonogram while any thread reads the columns
// that are ready; everything else is fixed at construction.

#include "platform/AudioOutput.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <vector>

namespace pemmaro {

struct SettingsFile;

struct SonogramSettings {
    int lowest_hz = 0;
    int highest_hz = 11000;
    int window_size = 512;
    int dynamic_range_db = 70;

    bool operator==(const SonogramSettings&) const = default;
};

// From the settings file; a value out of range falls back to its default.
SonogramSettings read_sonogram_settings(const SettingsFile& settings);
// False when a value did not reach the file.
bool write_sonogram_settings(const SettingsFile& settings, const SonogramSettings& values);

class Sonogram {
public:
    // Levels are stored in half decibels below full scale (a full-scale sine
    // at 255, each step 0.5 dB lower, 0 for -127.5 dB and below).
    static constexpr double level_step_db = 0.5;

    // Room for the columns of frames frames; more are not kept.
    Sonogram(int window_size, std::uint64_t frames);

    int window_size() const { return window_size_; }
    int hop() const { return window_size_ / 2; }
    int bands() const { return window_size_ / 2 + 1; }
    double hz_per_band() const;
    double seconds_per_column() const;
    std::size_t capacity() const { return capacity_; }

    // Reader's side (any thread).
    std::size_t columns_ready() const { return ready_.load(std::memory_order_acquire); }
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    bool failed() const { return failed_.load(std::memory_order_acquire); }
    // Index < columns_ready(): bands() levels.
    const std::uint8_t* column(std::size_t index) const {
        return levels_.data() + index * static_cast<std::size_t>(bands());
    }
    double level_db(std::size_t index, int band) const;
    // The length of the sound: its columns once finished, else as expected.
    double seconds() const;

    // Worker's side.
    std::uint8_t* column_to_write(std::size_t index) {
        return levels_.data() + index * static_cast<std::size_t>(bands());
    }
    void publish(std::size_t columns) { ready_.store(columns, std::memory_order_release); }
    void finish(bool failed);

private:
    int window_size_;
    std::size_t capacity_;
    std::vector<std::uint8_t> levels_;
    std::atomic<std::size_t> ready_{0};
    std::atomic<bool> finished_{false};
    std::atomic<bool> failed_{false};
};

// Reads the source to its end into the sonogram, publishing columns as they
// are done; stops early when asked. Marks the sonogram finished (failed when
// the source could not be read). For a worker thread.
void compute_sonogram(audio::PcmSource* source, Sonogram& sonogram, std::stop_token stop = {});

} // namespace pemmaro
