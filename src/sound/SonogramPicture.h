#pragma once
// Drawing a sonogram: its levels in a perceptual colour map (lightness rising
// steadily with the level), a time axis in seconds below and a frequency axis
// in kHz on the left. Stateless functions over a QImage, so that the pane, the
// export and the tests draw the same picture.

#include "sound/Sonogram.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <string>

class QPainter;

namespace pemmaro {

// The colour of a level from 0 (silence) to 1 (the loudest shown): the
// cubehelix map, dark blue-black through green and pink to white.
QRgb sonogram_colour(double fraction);

// Where the levels go in a picture of that size: room on the left and below
// for the axes' labels.
QRect sonogram_plot_area(QSize size);

// The time a point of the plot stands for, and the point of a time, for a
// sound of `seconds` seconds spread over the plot's width.
double sonogram_time_at(const QRect& plot, double seconds, int x);
int sonogram_x_at(const QRect& plot, double seconds, double time);

// Fills the plot's pixel columns [first_x, last_x] with the columns that are
// ready (the rest stays as it is); each pixel shows the loudest level it covers.
void draw_sonogram_levels(QImage& image, const QRect& plot, const Sonogram& sonogram,
                          const SonogramSettings& settings, double seconds, int first_x,
                          int last_x);

// The background, the axes with their ticks and labels ("s", "kHz").
void draw_sonogram_frame(QPainter& painter, QSize size, const QRect& plot, double seconds,
                         const SonogramSettings& settings);

// The whole picture: frame and levels.
QImage sonogram_picture(const Sonogram& sonogram, const SonogramSettings& settings, QSize size);

} // namespace pemmaro
