#include "TestSupport.h"
#include "common/SettingsFile.h"
#include "common/SonogramSettings.h"
#include "sound/Sonogram.h"
#include "sound/SonogramPicture.h"

#include <QColor>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

constexpr double rate = audio::output_rate;

// A sound of the output's format made by a function of time (-1 .. 1).
class SyntheticSource : public audio::PcmSource {
public:
    SyntheticSource(double seconds, std::function<double(double)> signal)
        : frames_(static_cast<std::size_t>(seconds * rate))
        , signal_(std::move(signal)) {}
    std::size_t read(std::int16_t* samples, std::size_t frames) override {
        const std::size_t count = std::min(frames, frames_ - next_);
        for (std::size_t i = 0; i < count; ++i, ++next_) {
            const auto value =
                static_cast<std::int16_t>(std::lround(32767 * signal_(next_ / rate)));
            samples[2 * i] = samples[2 * i + 1] = value;
        }
        return count;
    }
    std::size_t frames() const { return frames_; }

private:
    std::size_t frames_;
    std::size_t next_ = 0;
    std::function<double(double)> signal_;
};

std::unique_ptr<Sonogram> computed(int window_size, double seconds,
                                   std::function<double(double)> signal) {
    SyntheticSource source(seconds, std::move(signal));
    auto sonogram = std::make_unique<Sonogram>(window_size, source.frames());
    compute_sonogram(&source, *sonogram);
    return sonogram;
}

int loudest_band(const Sonogram& sonogram, std::size_t column) {
    const std::uint8_t* levels = sonogram.column(column);
    return static_cast<int>(std::max_element(levels, levels + sonogram.bands()) - levels);
}

double lightness(QRgb colour) {
    return QColor(colour).lightnessF();
}

} // namespace

TEST(Sonogram, ToneGivesItsPeakInItsBandAndRowAtEveryWindowSize) {
    for (int size : sonogram_settings::window_sizes) {
        SCOPED_TRACE(size);
        // Half of full scale: -6 dB.
        auto tone = computed(
            size, 1.0, [](double t) { return 0.5 * std::sin(2 * std::numbers::pi * 2000 * t); });
        ASSERT_TRUE(tone->finished());
        EXPECT_FALSE(tone->failed());
        EXPECT_EQ(tone->columns_ready(), tone->capacity());
        EXPECT_NEAR(tone->seconds(), 1.0, tone->seconds_per_column());
        const std::size_t middle = tone->columns_ready() / 2;
        const int band = loudest_band(*tone, middle);
        EXPECT_NEAR(band * tone->hz_per_band(), 2000, tone->hz_per_band() / 2);
        EXPECT_NEAR(tone->level_db(middle, band), -6, 1.5);
        EXPECT_LT(tone->level_db(middle, band * 3), -60) << "no energy far from the tone";

        // In the picture, the brightest row of the middle is the 2 kHz row.
        const SonogramSettings settings; // 0 to 11 kHz, 70 dB
        const QImage picture = sonogram_picture(*tone, settings, QSize(400, 240));
        const QRect plot = sonogram_plot_area(picture.size());
        const int x = plot.center().x();
        int brightest = plot.top();
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            if (lightness(picture.pixel(x, y)) > lightness(picture.pixel(x, brightest)))
                brightest = y;
        const double hz_per_row = 11000.0 / plot.height();
        EXPECT_NEAR((plot.bottom() - brightest + 0.5) * hz_per_row, 2000,
                    std::max(hz_per_row, tone->hz_per_band()));
    }
}

TEST(Sonogram, RisingSweepGivesARisingRidgeInTime) {
    // 500 Hz to 8 kHz in 2 s, linearly.
    const double start = 500;
    const double slope = (8000 - start) / 2;
    auto sweep = computed(512, 2.0, [=](double t) {
        return 0.5 * std::sin(2 * std::numbers::pi * (start * t + slope * t * t / 2));
    });
    int previous = -1;
    for (double t : {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75}) {
        SCOPED_TRACE(t);
        const auto column = static_cast<std::size_t>(std::lround(t / sweep->seconds_per_column()));
        const int band = loudest_band(*sweep, column);
        EXPECT_GT(band, previous);
        EXPECT_NEAR(band * sweep->hz_per_band(), start + slope * t, 2 * sweep->hz_per_band());
        previous = band;
    }
}

TEST(Sonogram, UnreadableSoundAndStopEndTheWorkAsFailed) {
    Sonogram none(512, 44100);
    compute_sonogram(nullptr, none);
    EXPECT_TRUE(none.finished());
    EXPECT_TRUE(none.failed());

    SyntheticSource source(10.0, [](double) { return 0.0; });
    Sonogram stopped(512, source.frames());
    std::stop_source stop;
    stop.request_stop();
    compute_sonogram(&source, stopped, stop.get_token());
    EXPECT_TRUE(stopped.failed());
    EXPECT_EQ(stopped.columns_ready(), 0U);
}

TEST(SonogramSettings, OwnSectionWithDefaultsForValuesOutOfRange) {
    TempDir folder;
    const SettingsFile settings{folder.file("Pemmaro.ini")};
    EXPECT_EQ(read_sonogram_settings(settings), SonogramSettings{});
    const SonogramSettings chosen{
        .lowest_hz = 1000, .highest_hz = 8000, .window_size = 1024, .dynamic_range_db = 90};
    ASSERT_TRUE(write_sonogram_settings(settings, chosen));
    EXPECT_EQ(read_sonogram_settings(settings), chosen);
    EXPECT_NE(read_file(folder.file("Pemmaro.ini")).find("[SONOGRAM]"), std::string::npos);

    write_file(folder.file("Pemmaro.ini"), "[SONOGRAM]\r\nLowest Frequency=9000\r\n"
                                           "Highest Frequency=8000\r\nWindow Size=300\r\n"
                                           "Dynamic Range=5\r\n");
    EXPECT_EQ(read_sonogram_settings(settings), SonogramSettings{});
}
