#include "sound/Sonogram.h"

#include "common/SettingsFile.h"
#include "common/SonogramSettings.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <fftw3.h>
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

class RealFft {
public:
    explicit RealFft(int size)
        : input_(fftwf_alloc_real(static_cast<std::size_t>(size)))
        , output_(fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1))) {
        std::lock_guard lock(planner_mutex());
        plan_ = fftwf_plan_dft_r2c_1d(size, input_.get(), output_.get(), FFTW_ESTIMATE);
    }
    ~RealFft() {
        std::lock_guard lock(planner_mutex());
        fftwf_destroy_plan(plan_);
    }
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    float* input() { return input_.get(); }
    const fftwf_complex* run() {
        fftwf_execute(plan_);
        return output_.get();
    }

private:
    std::unique_ptr<float, FftwFree> input_;
    std::unique_ptr<fftwf_complex, FftwFree> output_;
    fftwf_plan plan_ = nullptr;
};

// log2 within 0.002 (0.01 dB) by the float's exponent and a table of its
// mantissa's top bits: a tenth of the cost of std::log2 per band.
float fast_log2(float x) {
    static const std::array<float, 1024> table = [] {
        std::array<float, 1024> values{};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = static_cast<float>(std::log2(1.0 + (static_cast<double>(i) + 0.5) / 1024));
        return values;
    }();
    const auto bits = std::bit_cast<std::uint32_t>(x);
    const int exponent = static_cast<int>((bits >> 23) & 0xFF) - 127;
    return static_cast<float>(exponent) + table[(bits >> 13) & 0x3FF];
}

std::vector<float> hann_window(int size) {
    std::vector<float> window(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        window[static_cast<std::size_t>(i)] = static_cast<float>(
            0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / static_cast<double>(size)));
    return window;
}

// Turns the spectrum into levels in half decibels below full scale.
class LevelScale {
public:
    explicit LevelScale(const std::vector<float>& window) {
        double sum = 0;
        for (float w : window)
            sum += w;
        // A full-scale sine peaks at sum / 2 in its band.
        offset_ = static_cast<float>(255.0 - 40.0 * std::log10(sum / 2));
    }
    std::uint8_t operator()(float re, float im) const {
        const float power = re * re + im * im;
        if (!(power > 1e-30F))
            return 0;
        // 20 log10(power) = 6.0206 log2(power): half decibels of the amplitude.
        const float level = offset_ + 6.0206F * fast_log2(power);
        return static_cast<std::uint8_t>(std::clamp(level + 0.5F, 0.0F, 255.0F));
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
        for (std::size_t i = 0; i < got; ++i)
            mono.push_back((static_cast<float>(block[2 * i]) + block[2 * i + 1]) / 65536.0F);
        frames += got;
        if (ended)
            mono.resize(mono.size() + size, 0.0F);
        std::size_t start = 0;
        while (column < sonogram.capacity() && column * hop < frames &&
               start + size <= mono.size()) {
            float* in = fft.input();
            for (std::size_t i = 0; i < size; ++i)
                in[i] = mono[start + i] * window[i];
            const fftwf_complex* out = fft.run();
            std::uint8_t* levels = sonogram.column_to_write(column);
            for (std::size_t b = 0; b < bands; ++b)
                levels[b] = scale(out[b][0], out[b][1]);
            ++column;
            start += hop;
        }
        mono.erase(mono.begin(), mono.begin() + static_cast<std::ptrdiff_t>(start));
        sonogram.publish(column);
    }
    sonogram.finish(source->failed() || stop.stop_requested());
}

} // namespace pemmaro
