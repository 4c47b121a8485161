#pragma once
// The bitmaps of the line display, loaded from the program's resources once at
// start; a missing one ends the program.

#include "browse/DisplayLines.h"

#include <QImage>
#include <span>
#include <string_view>

namespace pemmaro {

// Loads every display bitmap; fatal "Bitmap <name> resource missing" for one
// that is not there.
void load_display_bitmaps();
// Loads the named resources in order (the program's list, or a test's).
std::vector<QImage> load_bitmap_resources(std::span<const std::string_view> names);

// Bitmap number 1..11; a null image for 0.
const QImage& display_bitmap(int number);
BitmapSizes display_bitmap_sizes();

} // namespace pemmaro
