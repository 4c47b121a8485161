#pragma once
// What every big picture window shares: the background colour (read when the
// program starts, written when it ends) and whether the few-colours warning
// is still due in this run.
//
// User-interface thread only.

#include <QColor>

namespace pemmaro {

struct SettingsFile;
class Ttextfile_handler;

struct BigPictureSettings {
    QColor background{255, 255, 238};
    bool colour_warning_due = false;
    bool operator==(const BigPictureSettings&) const = default;
};

BigPictureSettings& big_picture_settings();

// Module start: the background colour, and the warning's month when the
// screen shows fewer than 300 colours.
void read_big_picture_settings(const SettingsFile& settings, int colour_count, int month);
// Program end.
void write_big_picture_settings(const SettingsFile& settings);

// Before a big picture window opens: the warning when it is due, then not
// again in this run nor before next month.
void give_colour_warning_if_due(const SettingsFile& settings, const Ttextfile_handler& texts,
                                int colour_count, int month);

// Windows colour values are 0x00BBGGRR.
QColor colour_from_value(long value);
long value_of_colour(const QColor& colour);

} // namespace pemmaro
