#include "sound/SonogramPicture.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace pemmaro {

namespace {

constexpr int left_margin = 40;
constexpr int bottom_margin = 22;
constexpr int top_margin = 16;
constexpr int right_margin = 12;

const QColor background(240, 240, 240);
// Where no column is ready yet: grey, so that the filling is seen.
const QColor not_ready(128, 128, 128);

// A step of the axis of at least `least` units among 1, 2 and 5 times a power of ten.
double tick_step(double least) {
    const double power = std::pow(10.0, std::floor(std::log10(std::max(least, 1e-9))));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= least)
            return factor * power;
    return 10 * power;
}

QString tick_label(double value, double step) {
    return QString::number(value, 'f', step < 1 ? (step < 0.1 ? 2 : 1) : 0);
}

// The colour of each stored level (half decibels) for the dynamic range.
std::array<QRgb, 256> level_colours(int dynamic_range_db) {
    std::array<QRgb, 256> colours{};
    for (std::size_t q = 0; q < colours.size(); ++q) {
        const double db = (static_cast<double>(q) - 255) * Sonogram::level_step_db;
        colours[q] = sonogram_colour((db + dynamic_range_db) / dynamic_range_db);
    }
    return colours;
}

struct BandRange {
    int first = 0;
    int last = 0;
};

// For each pixel row from the top, the bands it covers.
std::vector<BandRange> row_bands(const QRect& plot, const Sonogram& sonogram,
                                 const SonogramSettings& settings) {
    std::vector<BandRange> rows(static_cast<std::size_t>(plot.height()));
    const double hz_per_row =
        static_cast<double>(settings.highest_hz - settings.lowest_hz) / plot.height();
    for (int r = 0; r < plot.height(); ++r) {
        const int from_bottom = plot.height() - 1 - r;
        const double low = settings.lowest_hz + from_bottom * hz_per_row;
        const int first = static_cast<int>(std::lround(low / sonogram.hz_per_band()));
        const int last =
            static_cast<int>(std::lround((low + hz_per_row) / sonogram.hz_per_band())) - 1;
        const int top = sonogram.bands() - 1;
        rows[static_cast<std::size_t>(r)] = {std::clamp(first, 0, top),
                                             std::clamp(std::max(first, last), 0, top)};
    }
    return rows;
}

} // namespace

QRgb sonogram_colour(double fraction) {
    // Green's cubehelix (start 0.5, 1.5 turns backwards, hue 1.2).
    const double l = std::clamp(fraction, 0.0, 1.0);
    const double angle = 2 * std::numbers::pi * (0.5 / 3 + 1 - 1.5 * l);
    const double amplitude = 1.2 * l * (1 - l) / 2;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    auto channel = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    return qRgb(channel(l + amplitude * (-0.14861 * c + 1.78277 * s)),
                channel(l + amplitude * (-0.29227 * c - 0.90649 * s)),
                channel(l + amplitude * (1.97294 * c)));
}

QRect sonogram_plot_area(QSize size) {
    return QRect(left_margin, top_margin, std::max(1, size.width() - left_margin - right_margin),
                 std::max(1, size.height() - top_margin - bottom_margin));
}

double sonogram_time_at(const QRect& plot, double seconds, int x) {
    return std::clamp((x - plot.left() + 0.5) * seconds / plot.width(), 0.0, seconds);
}

int sonogram_x_at(const QRect& plot, double seconds, double time) {
    if (seconds <= 0)
        return plot.left();
    const double x = plot.left() + time / seconds * plot.width();
    return std::clamp(static_cast<int>(std::floor(x)), plot.left(), plot.right());
}

void draw_sonogram_levels(QImage& image, const QRect& plot, const Sonogram& sonogram,
                          const SonogramSettings& settings, double seconds, int first_x,
                          int last_x) {
    const std::size_t ready = sonogram.columns_ready();
    if (ready == 0 || seconds <= 0)
        return;
    const std::array<QRgb, 256> colours = level_colours(settings.dynamic_range_db);
    const std::vector<BandRange> rows = row_bands(plot, sonogram, settings);
    const int top_band = rows.front().last;
    std::vector<std::uint8_t> loudest(static_cast<std::size_t>(top_band) + 1);
    const double columns_per_second = 1 / sonogram.seconds_per_column();
    first_x = std::max(first_x, plot.left());
    last_x = std::min(last_x, plot.right());
    for (int x = first_x; x <= last_x; ++x) {
        const double from = (x - plot.left()) * seconds / plot.width();
        const double to = (x - plot.left() + 1) * seconds / plot.width();
        const auto first = static_cast<std::size_t>(std::lround(from * columns_per_second));
        if (first >= ready)
            break;
        const auto end = std::clamp(static_cast<std::size_t>(std::lround(to * columns_per_second)),
                                    first + 1, ready);
        std::fill(loudest.begin(), loudest.end(), std::uint8_t{0});
        for (std::size_t c = first; c < end; ++c) {
            const std::uint8_t* levels = sonogram.column(c);
            for (std::size_t b = 0; b < loudest.size(); ++b)
                loudest[b] = std::max(loudest[b], levels[b]);
        }
        for (int r = 0; r < plot.height(); ++r) {
            const BandRange& bands = rows[static_cast<std::size_t>(r)];
            std::uint8_t level = 0;
            for (int b = bands.first; b <= bands.last; ++b)
                level = std::max(level, loudest[static_cast<std::size_t>(b)]);
            reinterpret_cast<QRgb*>(image.scanLine(plot.top() + r))[x] = colours[level];
        }
    }
}

void draw_sonogram_frame(QPainter& painter, QSize size, const QRect& plot, double seconds,
                         const SonogramSettings& settings) {
    painter.fillRect(QRect(QPoint(0, 0), size), background);
    painter.fillRect(plot, not_ready);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();
    const int baseline = plot.bottom() + 5 + metrics.ascent();

    // Time: labels at least 50 pixels apart; the unit at the right end.
    const QString seconds_unit = QStringLiteral("s");
    const int unit_left = size.width() - metrics.horizontalAdvance(seconds_unit) - 1;
    painter.drawText(unit_left, baseline, seconds_unit);
    if (seconds > 0) {
        const double step = tick_step(50 * seconds / plot.width());
        for (double t = 0; t <= seconds + 1e-9; t += step) {
            const int x = sonogram_x_at(plot, seconds, t);
            painter.drawLine(x, plot.bottom() + 1, x, plot.bottom() + 4);
            const QString label = tick_label(t, step);
            const int width = metrics.horizontalAdvance(label);
            const int left = std::max(0, x - width / 2);
            if (left + width < unit_left - 2)
                painter.drawText(left, baseline, label);
        }
    }

    // Frequency: labels at least 1.5 lines apart; the unit above the axis.
    const double khz = (settings.highest_hz - settings.lowest_hz) / 1000.0;
    const double step = tick_step(1.5 * metrics.height() * khz / plot.height());
    const double lowest = settings.lowest_hz / 1000.0;
    for (double f = std::ceil(lowest / step) * step; f <= settings.highest_hz / 1000.0 + 1e-9;
         f += step) {
        const int y =
            plot.bottom() - static_cast<int>(std::lround((f - lowest) / khz * (plot.height() - 1)));
        painter.drawLine(plot.left() - 4, y, plot.left() - 1, y);
        const QString label = tick_label(f, step);
        painter.drawText(plot.left() - 6 - metrics.horizontalAdvance(label),
                         std::clamp(y + metrics.ascent() / 2, metrics.ascent(), size.height()),
                         label);
    }
    painter.drawText(2, metrics.ascent(), QStringLiteral("kHz"));
}

QImage sonogram_picture(const Sonogram& sonogram, const SonogramSettings& settings, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const QRect plot = sonogram_plot_area(size);
    const double seconds = sonogram.seconds();
    {
        QPainter painter(&image);
        draw_sonogram_frame(painter, size, plot, seconds, settings);
    }
    draw_sonogram_levels(image, plot, sonogram, settings, seconds, plot.left(), plot.right());
    return image;
}

} // namespace pemmaro
