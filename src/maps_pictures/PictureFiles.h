#pragma once
// Picture files: Windows bitmaps (plain, 8-bit run-length encoded, or in the
// program's compressed format) loaded as device-independent bitmaps, JPEG
// pictures decoded with libjpeg, drawing onto a painter, the work area.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace pemmaro {

enum class PictureStatus {
    loaded = 0,
    missing = 1,      // missing or unreadable at its start
    not_a_bitmap = 2, // no Windows bitmap
    read_error = 3,
    out_of_memory = 4
};

// A device-independent bitmap in memory: BITMAPINFOHEADER, colour table and
// pixel rows. A block from a compressed file starts with "CF" and the bitmap
// file's 14-byte header: a 16-byte prefix that every reader skips.
struct GlobalDib {
    std::vector<std::uint8_t> bytes;

    std::size_t header_offset() const; // 16 with the "CF" prefix, else 0
    std::int32_t width() const;
    std::int32_t height() const; // as stored: negative for top-down rows
    int bits_per_pixel() const;
    std::uint32_t compression() const;
    std::uint32_t image_size() const;
    std::size_t header_size() const;
    std::size_t colour_count() const; // entries of the colour table
    std::size_t pixel_offset() const; // from the start of bytes
};

struct PictureLoad {
    PictureStatus status = PictureStatus::missing;
    std::optional<GlobalDib> dib; // only with status loaded
};

PictureLoad LoadPictureFile(const std::string& file_name, bool show_errors);

// Expands an 8-bit run-length-encoded bitmap; the block is left unchanged when
// the new one cannot be allocated.
void expand_rle8(GlobalDib& dib);

// The bitmap as an image (1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed);
// a null image when the block is not a bitmap that can be shown.
QImage dib_to_image(const GlobalDib& dib);

// Stretches the bitmap into (x, y, width, height) without smoothing; width 0
// means the bitmap's own size. With and_mode the pixels are ANDed with what is
// there. Nothing is drawn without a bitmap.
void DrawDib(QPainter& painter, int x, int y, bool and_mode, const GlobalDib* dib, int height,
             int width);

enum class RasterOperation { copy, and_source, or_source, xor_source };
void DrawBitmap(QPainter& painter, const QImage& bitmap, QPoint point, RasterOperation operation);

struct JpegPicture {
    QImage image;
    bool complete = true; // false when the decoder met corrupt or missing data
    std::string error;    // why there is no image
};

// A JPEG file of the data disc (data paths with backslashes work).
JpegPicture load_jpeg_file(const std::string& file_name);
// Decoded at 1/scale_denominator (1, 2, 4 or 8) of its size: libjpeg skips
// the work for pixels that would be scaled away.
JpegPicture decode_jpeg(const std::uint8_t* data, std::size_t size, int scale_denominator = 1);
// The picture's size from its header; none when it is no JPEG.
std::optional<QSize> jpeg_size(const std::uint8_t* data, std::size_t size);
// The largest of 8, 4 and 2 at which the picture decodes at least as large as
// it is shown; 1 (full size) otherwise.
int jpeg_scale_denominator(QSize picture, QSize shown);

struct PictureBytes {
    std::vector<std::uint8_t> bytes;
    std::string error; // why there are none
};
// The whole file (data paths with backslashes work).
PictureBytes read_picture_bytes(const std::string& file_name);
// A JPEG of the program's resources (resource alias = name); none when absent.
std::optional<JpegPicture> LoadJpegResource(std::string_view name);

// The desktop's work area (the screen without panels), read once.
QRect work_area();

} // namespace pemmaro
