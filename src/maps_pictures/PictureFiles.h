#pragma once
// Picture files: Windows bitmaps (plain, 8-bit run-length encoded, or in the
// program's compressed format) loaded as device-independent bitmaps, JPEG
// pictures decoded with libjpeg, drawing onto a painter, the work area.

#include <QImage>
#include <QPoint>
#include <QRect>
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
JpegPicture decode_jpeg(const std::uint8_t* data, std::size_t size);
// A JPEG of the program's resources (resource alias = name); none when absent.
std::optional<JpegPicture> LoadJpegResource(std::string_view name);

// The desktop's work area (the screen without panels), read once.
QRect work_area();

} // namespace pemmaro
