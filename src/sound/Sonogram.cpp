#include "sound/Sonogram.h"

#include "common/SettingsFile.h"
#include "common/SonogramSettings.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <fftw3.h>
#include <map>
#include <mutex>
#include <numbers>

namespace pemmaro {

namespace {

namespace keys = sonogram_settings;

constexpr int highest_hz = static_cast<int>(audio::output_rate / 2);

// FFTW's planner is not thread-safe; executing a plan is.
std::mutex& planner_mutex() {
    static std::mutex mutex;
    return mutex;
}

struct FftwFree {
    void operator()(void* memory) const { fftwf_free(memory); }
};

// One plan per window size for the session, executed on each worker's own
// arrays. Measuring plans (FFTW_MEASURE) costs about 200 ms at the first use
// and gained nothing measurable here.
class FftPlans {
public:
    ~FftPlans() {
        for (auto& [size, plan] : plans_)
            fftwf_destroy_plan(plan);
    }
    fftwf_plan plan(int size) {
        std::lock_guard lock(planner_mutex());
        fftwf_plan& plan = plans_[size];
        if (plan == nullptr) {
            std::unique_ptr<float, FftwFree> in(fftwf_alloc_real(static_cast<std::size_t>(size)));
            std::unique_ptr<fftwf_complex, FftwFree> out(
                fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1)));
            plan = fftwf_plan_dft_r2c_1d(size, in.get(), out.get(), FFTW_ESTIMATE);
        }
        return plan;
    }

private:
    std::map<int, fftwf_plan> plans_;
};

class RealFft {
public:
    explicit RealFft(int size)
        : plan_(plans().plan(size))
        , input_(fftwf_alloc_real(static_cast<std::size_t>(size)))
        , output_(fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1))) {}

    float* input() { return input_.get(); }
    const fftwf_complex* run() {
        fftwf_execute_dft_r2c(plan_, input_.get(), output_.get());
        return output_.get();
    }

private:
    static FftPlans& plans() {
        static FftPlans instance;
        return instance;
    }

    fftwf_plan plan_;
    std::unique_ptr<float, FftwFree> input_;
    std::unique_ptr<fftwf_complex, FftwFree> output_;
};

std::vector<float> hann_window(int size) {
    std::vector<float> window(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        window[static_cast<std::size_t>(i)] = static_cast<float>(
            0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / static_cast<double>(size)));
    return window;
}

// Turns spectra into levels in half decibels below full scale.
class LevelScale {
public:
    explicit LevelScale(const std::vector<float>& window) {
        double sum = 0;
        for (float w : window)
            sum += w;
        // A full-scale sine peaks at sum / 2 in its band.
        offset_ = static_cast<float>(255.5 - 40.0 * std::log10(sum / 2));
    }

    // Written as plain loops over arrays so that the compiler vectorises them:
    // log2 comes from the float's exponent and a quadratic in its mantissa
    // (within 0.005, a hundredth of a level step).
    void operator()(const fftwf_complex* spectrum, std::size_t bands, float* power,
                    std::uint8_t* levels) const {
        for (std::size_t b = 0; b < bands; ++b)
            power[b] = spectrum[b][0] * spectrum[b][0] + spectrum[b][1] * spectrum[b][1];
        for (std::size_t b = 0; b < bands; ++b) {
            const auto bits = std::bit_cast<std::uint32_t>(power[b]);
            const auto exponent = static_cast<float>(static_cast<std::int32_t>(bits >> 23) - 127);
            const float x = std::bit_cast<float>((bits & 0x7FFFFFU) | 0x3F800000U) - 1.0F;
            const float log2 = exponent + x + 0.346607F * x * (1.0F - x);
            // 20 log10(power) = 6.0206 log2(power): half decibels of the amplitude.
            const float level = std::min(std::max(offset_ + 6.0206F * log2, 0.0F), 255.0F);
            levels[b] = static_cast<std::uint8_t>(level);
        }
    }

private:
    float offset_ = 0;
};

int valid_window_size(long value) {
    const auto& sizes = keys::window_sizes;
    return std::find(sizes.begin(), sizes.end(), value) != sizes.end() ? static_cast<int>(value)
                                                                       : keys::window_size_default;
}

} // namespace

SonogramSettings read_sonogram_settings(const SettingsFile& settings) {
    SonogramSettings values;
    const long lowest = settings.read_integer(keys::section, keys::lowest_frequency,
                                              keys::lowest_frequency_default);
    const long highest = settings.read_integer(keys::section, keys::highest_frequency,
                                               keys::highest_frequency_default);
    if (lowest >= 0 && highest <= highest_hz && lowest < highest) {
        values.lowest_hz = static_cast<int>(lowest);
        values.highest_hz = static_cast<int>(highest);
    }
    values.window_size = valid_window_size(
        settings.read_integer(keys::section, keys::window_size, keys::window_size_default));
    const long range =
        settings.read_integer(keys::section, keys::dynamic_range, keys::dynamic_range_default);
    if (range >= keys::dynamic_range_lowest && range <= keys::dynamic_range_highest)
        values.dynamic_range_db = static_cast<int>(range);
    return values;
}

bool write_sonogram_settings(const SettingsFile& settings, const SonogramSettings& values) {
    bool written = settings.write_integer(keys::section, keys::lowest_frequency, values.lowest_hz);
    written &= settings.write_integer(keys::section, keys::highest_frequency, values.highest_hz);
    written &= settings.write_integer(keys::section, keys::window_size, values.window_size);
    written &= settings.write_integer(keys::section, keys::dynamic_range, values.dynamic_range_db);
    return written;
}

Sonogram::Sonogram(int window_size, std::uint64_t frames)
    : window_size_(valid_window_size(window_size))
    , capacity_(static_cast<std::size_t>((frames + static_cast<std::uint64_t>(hop()) - 1) /
                                         static_cast<std::uint64_t>(hop())))
    , levels_(capacity_ * static_cast<std::size_t>(bands())) {}

double Sonogram::hz_per_band() const {
    return static_cast<double>(audio::output_rate) / window_size_;
}

double Sonogram::seconds_per_column() const {
    return static_cast<double>(hop()) / audio::output_rate;
}

double Sonogram::level_db(std::size_t index, int band) const {
    return (column(index)[band] - 255) * level_step_db;
}

double Sonogram::seconds() const {
    return static_cast<double>(finished() ? columns_ready() : capacity_) * seconds_per_column();
}

void Sonogram::finish(bool failed) {
    failed_.store(failed, std::memory_order_release);
    finished_.store(true, std::memory_order_release);
}

void compute_sonogram(audio::PcmSource* source, Sonogram& sonogram, std::stop_token stop) {
    if (source == nullptr) {
        sonogram.finish(true);
        return;
    }
    const auto size = static_cast<std::size_t>(sonogram.window_size());
    const auto hop = static_cast<std::size_t>(sonogram.hop());
    const auto bands = static_cast<std::size_t>(sonogram.bands());
    RealFft fft(sonogram.window_size());
    const std::vector<float> window = hann_window(sonogram.window_size());
    const LevelScale scale(window);
    std::vector<float> power(bands);

    constexpr std::size_t block_frames = 8192;
    std::vector<std::int16_t> block(block_frames * audio::output_channels);
    // The mixed sound from the start of the next column's window; silence
    // before the first frame centres column 0 on it.
    std::vector<float> mono(size / 2, 0.0F);
    std::uint64_t frames = 0; // read so far
    std::size_t column = 0;
    bool ended = false;
    while (!ended && column < sonogram.capacity()) {
        if (stop.stop_requested())
            break;
        const std::size_t got = source->read(block.data(), block_frames);
        ended = got == 0;
        const std::size_t kept = mono.size();
        mono.resize(kept + got + (ended ? size : 0), 0.0F);
        float* mixed = mono.data() + kept;
        const std::int16_t* stereo = block.data();
        for (std::size_t i = 0; i < got; ++i)
            mixed[i] = static_cast<float>(stereo[2 * i] + stereo[2 * i + 1]) * (1.0F / 65536);
        frames += got;
        std::size_t start = 0;
        while (column < sonogram.capacity() && column * hop < frames &&
               start + size <= mono.size()) {
            float* in = fft.input();
            const float* from = mono.data() + start;
            for (std::size_t i = 0; i < size; ++i)
                in[i] = from[i] * window[i];
            scale(fft.run(), bands, power.data(), sonogram.column_to_write(column));
            ++column;
            start += hop;
        }
        mono.erase(mono.begin(), mono.begin() + static_cast<std::ptrdiff_t>(start));
        sonogram.publish(column);
    }
    sonogram.finish(source->failed() || stop.stop_requested());
}

} // namespace pemmaro
