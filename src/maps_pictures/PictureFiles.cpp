#include "maps_pictures/PictureFiles.h"

#include "data/CompressedFormat.h"
#include "platform/FileIO.h"
#include "platform/Log.h"
#include "platform/MessageText.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <filesystem>
#include <jpeglib.h>
#include <new>

namespace pemmaro {

namespace {

constexpr std::size_t compressed_prefix_size = 16;
constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
constexpr std::uint64_t largest_image_bytes = 1ull << 30;
constexpr std::size_t rle8_slack = 500;
// Pictures are shown as 32-bit images; beyond this they would take gigabytes.
constexpr std::uint64_t largest_picture_pixels = 100'000'000;
constexpr const char* memory_text = "Error when trying to allocate memory, can not show picture.";
constexpr std::uint32_t bi_rgb = 0;
constexpr std::uint32_t bi_rle8 = 1;

// Field offsets inside BITMAPINFOHEADER.
constexpr std::size_t field_width = 4;
constexpr std::size_t field_height = 8;
constexpr std::size_t field_bit_count = 14;
constexpr std::size_t field_compression = 16;
constexpr std::size_t field_image_size = 20;
constexpr std::size_t field_colours_used = 32;

std::uint32_t read_u32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return 0;
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t read_u16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2)
        return 0;
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void write_u32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return;
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t stride_of(std::int64_t width, int bits_per_pixel) {
    return (static_cast<std::uint64_t>(bits_per_pixel) * static_cast<std::uint64_t>(width) + 31) /
           32 * 4;
}

std::uint64_t magnitude(std::int32_t value) {
    return static_cast<std::uint64_t>(value < 0 ? -static_cast<std::int64_t>(value) : value);
}

bool supported_bit_count(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The header describes a picture that can exist.
bool plausible_fields(const GlobalDib& dib) {
    if (!supported_bit_count(dib.bits_per_pixel()) || dib.width() <= 0 || dib.height() == 0)
        return false;
    const std::uint64_t bytes = static_cast<std::uint64_t>(dib.width()) * magnitude(dib.height()) *
                                static_cast<std::uint64_t>(dib.bits_per_pixel()) / 8;
    return bytes <= largest_image_bytes;
}

// More pixels than a picture is ever shown with: refused before its pixels
// are allocated, whatever size the file itself has.
bool too_large_to_show(const GlobalDib& dib) {
    return static_cast<std::uint64_t>(dib.width()) * magnitude(dib.height()) >
           largest_picture_pixels;
}

// The header is whole as well.
bool plausible_header(const GlobalDib& dib) {
    const std::size_t size = dib.header_size();
    const std::size_t at = dib.header_offset();
    return size >= info_header_size && at <= dib.bytes.size() && dib.bytes.size() - at >= size &&
           plausible_fields(dib);
}

void show_error(bool show_errors, const MessageText& text) {
    if (show_errors)
        message(text, MessageIcon::error);
}

MessageText not_a_bitmap_text(const std::string& file_name) {
    return "File \"" + system_text(file_name) +
           "\" is not a Windows bitmap file, can not show picture.";
}

// Reads until size bytes arrived or the file ends; false on a system error.
bool read_fully(PosixFile& file, std::uint8_t* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        std::size_t count = 0;
        if (file.read(reinterpret_cast<char*>(buffer + got), size - got, count) != 0)
            return false;
        if (count == 0)
            break;
        got += count;
    }
    return true;
}

PictureStatus status_of_decoder_error(int error) {
    switch (error) {
    case compression_open_error:
        return PictureStatus::missing;
    case compression_header_error:
        return PictureStatus::not_a_bitmap;
    case compression_memory_error:
        return PictureStatus::out_of_memory;
    default:
        return PictureStatus::read_error;
    }
}

PictureLoad failed(PictureStatus status, bool show_errors, const MessageText& text) {
    show_error(show_errors, text);
    return {status, std::nullopt};
}

// A loaded bitmap, expanded when it is run-length encoded.
PictureLoad loaded(GlobalDib dib) {
    if (dib.compression() == bi_rle8)
        expand_rle8(dib);
    return {PictureStatus::loaded, std::move(dib)};
}

PictureLoad load_compressed(const std::string& path, const std::string& file_name,
                            bool show_errors) {
    CompressedFileRead read = read_compressed_file_into_memory(path, show_errors);
    if (read.error != compression_ok)
        return {status_of_decoder_error(read.error), std::nullopt};
    GlobalDib dib{std::move(read.block)};
    const bool bitmap_mark = dib.bytes.size() >= compressed_prefix_size &&
                             dib.header_offset() == compressed_prefix_size && dib.bytes[2] == 'B' &&
                             dib.bytes[3] == 'M';
    if (!bitmap_mark || !plausible_header(dib)) {
        return failed(PictureStatus::not_a_bitmap, show_errors, not_a_bitmap_text(file_name));
    }
    if (too_large_to_show(dib))
        return failed(PictureStatus::out_of_memory, show_errors, memory_text);
    return loaded(std::move(dib));
}

PictureLoad load_plain(const std::optional<std::string>& path, const std::string& file_name,
                       bool show_errors) {
    const MessageText missing_text =
        "File \"" + system_text(file_name) + "\" does not exist, can not show picture.";
    const MessageText read_text =
        "Error when reading file \"" + system_text(file_name) + "\", can not show picture.";

    PosixFile file;
    std::array<std::uint8_t, file_header_size> file_header{};
    std::size_t got = 0;
    if (!path || file.open(*path, PosixFile::Mode::read) != 0 ||
        !read_fully(file, file_header.data(), file_header.size(), got) ||
        got < file_header.size()) {
        return failed(PictureStatus::missing, show_errors, missing_text);
    }
    if (file_header[0] != 'B' || file_header[1] != 'M') {
        return failed(PictureStatus::not_a_bitmap, show_errors, not_a_bitmap_text(file_name));
    }

    std::error_code error;
    const std::uintmax_t file_size = std::filesystem::file_size(*path, error);
    if (error || file_size < file_header_size) {
        return failed(PictureStatus::read_error, show_errors, read_text);
    }
    const std::uintmax_t block_size = file_size - file_header_size;

    // The header is checked before the block is allocated, so a hostile header
    // never costs a large allocation.
    GlobalDib header{std::vector<std::uint8_t>(info_header_size)};
    if (!read_fully(file, header.bytes.data(), info_header_size, got) || got < info_header_size ||
        header.header_size() < info_header_size || header.header_size() > block_size ||
        !plausible_fields(header)) {
        return failed(PictureStatus::not_a_bitmap, show_errors, not_a_bitmap_text(file_name));
    }
    if (too_large_to_show(header))
        return failed(PictureStatus::out_of_memory, show_errors, memory_text);
    if (header.image_size() == 0) {
        const std::uint64_t size =
            stride_of(header.width(), header.bits_per_pixel()) * magnitude(header.height());
        write_u32(header.bytes, field_image_size, static_cast<std::uint32_t>(size));
    }

    GlobalDib dib;
    try {
        dib.bytes.assign(static_cast<std::size_t>(block_size), 0);
    } catch (const std::exception&) {
        return failed(PictureStatus::out_of_memory, show_errors, memory_text);
    }
    std::copy(header.bytes.begin(), header.bytes.end(), dib.bytes.begin());
    const std::size_t rest = dib.bytes.size() - info_header_size;
    if (!read_fully(file, dib.bytes.data() + info_header_size, rest, got) || got < rest) {
        return failed(PictureStatus::read_error, show_errors, read_text);
    }
    return loaded(std::move(dib));
}

// The pixels as RGB32; ignore_compression draws the rows as if they were not
// compressed, as the drawing routine does.
QImage image_of(const GlobalDib& dib, bool ignore_compression) {
    if (!plausible_header(dib))
        return {};
    if (!ignore_compression && dib.compression() != bi_rgb)
        return {};
    const int width = dib.width();
    const int bits = dib.bits_per_pixel();
    const std::uint64_t rows = magnitude(dib.height());
    const std::uint64_t stride = stride_of(width, bits);
    const std::uint64_t start = dib.pixel_offset();
    if (start > dib.bytes.size() || (dib.bytes.size() - start) / stride < rows ||
        static_cast<std::uint64_t>(width) * rows > largest_picture_pixels)
        return {};

    std::array<QRgb, 256> palette{};
    palette.fill(qRgb(0, 0, 0));
    if (bits <= 8) {
        const std::size_t table = dib.header_offset() + dib.header_size();
        const std::size_t entries = std::min<std::size_t>(dib.colour_count(), palette.size());
        for (std::size_t i = 0; i < entries; ++i) {
            const std::size_t at = table + 4 * i;
            if (at + 3 > dib.bytes.size())
                break;
            palette[i] = qRgb(dib.bytes[at + 2], dib.bytes[at + 1], dib.bytes[at]);
        }
    }

    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool bottom_up = dib.height() > 0;
    for (std::uint64_t row = 0; row < rows; ++row) {
        const std::uint8_t* source = dib.bytes.data() + start + row * stride;
        const int line = static_cast<int>(bottom_up ? rows - 1 - row : row);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(line));
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            switch (bits) {
            case 1:
                target[x] = palette[(source[ux / 8] >> (7 - ux % 8)) & 1];
                break;
            case 4:
                target[x] = palette[(source[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 15];
                break;
            case 8:
                target[x] = palette[source[ux]];
                break;
            case 16: {
                const unsigned value = source[2 * ux] | source[2 * ux + 1] << 8;
                const auto widen = [](unsigned five) {
                    return static_cast<int>(five << 3 | five >> 2);
                };
                target[x] =
                    qRgb(widen(value >> 10 & 31), widen(value >> 5 & 31), widen(value & 31));
                break;
            }
            case 24:
                target[x] = qRgb(source[3 * ux + 2], source[3 * ux + 1], source[3 * ux]);
                break;
            default:
                target[x] = qRgb(source[4 * ux + 2], source[4 * ux + 1], source[4 * ux]);
                break;
            }
        }
    }
    return image;
}

// libjpeg's fatal errors come back here through longjmp instead of exit().
struct JpegErrorManager {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    std::array<char, JMSG_LENGTH_MAX> text{};
};

void jpeg_fatal_error(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->text.data());
    std::longjmp(errors->jump, 1);
}

void jpeg_silent_output(j_common_ptr) {}

struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrorManager errors;
    JpegPicture picture;
    std::vector<std::uint8_t> row;
    int scale_denominator = 1;

    JpegDecoder() {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = jpeg_fatal_error;
        errors.manager.output_message = jpeg_silent_output;
        jpeg_create_decompress(&info);
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&info); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

void convert_jpeg_row(const JpegDecoder& decoder, QRgb* target) {
    const std::uint8_t* source = decoder.row.data();
    const bool inverted = decoder.info.saw_Adobe_marker;
    for (JDIMENSION x = 0; x < decoder.info.output_width; ++x) {
        switch (decoder.info.out_color_space) {
        case JCS_GRAYSCALE:
            target[x] = qRgb(source[x], source[x], source[x]);
            break;
        case JCS_CMYK: {
            const std::uint8_t* p = source + 4 * x;
            // Adobe writes CMYK inverted: the stored values are already 255 - ink.
            auto channel = [&](std::uint8_t ink) {
                const unsigned k = inverted ? p[3] : 255u - p[3];
                const unsigned c = inverted ? ink : 255u - ink;
                return static_cast<int>(c * k / 255);
            };
            target[x] = qRgb(channel(p[0]), channel(p[1]), channel(p[2]));
            break;
        }
        default:
            target[x] = qRgb(source[3 * x], source[3 * x + 1], source[3 * x + 2]);
            break;
        }
    }
}

// Holds no objects with destructors of its own, so a longjmp out of libjpeg
// skips nothing; everything that needs cleaning up lives in the decoder.
void run_jpeg_decoder(JpegDecoder& decoder, const std::uint8_t* data, std::size_t size) {
    if (setjmp(decoder.errors.jump) != 0) {
        decoder.picture.image = QImage();
        decoder.picture.complete = false;
        decoder.picture.error = decoder.errors.text.data();
        return;
    }
    jpeg_mem_src(&decoder.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder.info, TRUE);
    if (static_cast<std::uint64_t>(decoder.info.image_width) * decoder.info.image_height >
        largest_picture_pixels) {
        decoder.picture.error = "picture too large";
        decoder.picture.complete = false;
        return;
    }
    switch (decoder.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        decoder.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        decoder.info.out_color_space = JCS_CMYK;
        break;
    case JCS_RGB:
    case JCS_YCbCr:
        decoder.info.out_color_space = JCS_RGB;
        break;
    default:
        decoder.picture.error = "unsupported colour space";
        decoder.picture.complete = false;
        return;
    }
    decoder.info.scale_num = 1;
    decoder.info.scale_denom = static_cast<unsigned>(decoder.scale_denominator);
    jpeg_start_decompress(&decoder.info);
    decoder.picture.image =
        QImage(static_cast<int>(decoder.info.output_width),
               static_cast<int>(decoder.info.output_height), QImage::Format_RGB32);
    if (decoder.picture.image.isNull()) {
        decoder.picture.error = "out of memory";
        decoder.picture.complete = false;
        return;
    }
    decoder.row.assign(static_cast<std::size_t>(decoder.info.output_width) *
                           static_cast<std::size_t>(decoder.info.output_components),
                       0);
    while (decoder.info.output_scanline < decoder.info.output_height) {
        JSAMPROW rows[1] = {decoder.row.data()};
        const int line = static_cast<int>(decoder.info.output_scanline);
        if (jpeg_read_scanlines(&decoder.info, rows, 1) != 1)
            break;
        convert_jpeg_row(decoder, reinterpret_cast<QRgb*>(decoder.picture.image.scanLine(line)));
    }
    jpeg_finish_decompress(&decoder.info);
    decoder.picture.complete = decoder.errors.manager.num_warnings == 0;
}

} // namespace

std::size_t GlobalDib::header_offset() const {
    return bytes.size() >= 2 && bytes[0] == 'C' && bytes[1] == 'F' ? compressed_prefix_size : 0;
}

std::int32_t GlobalDib::width() const {
    return static_cast<std::int32_t>(read_u32(bytes, header_offset() + field_width));
}

std::int32_t GlobalDib::height() const {
    return static_cast<std::int32_t>(read_u32(bytes, header_offset() + field_height));
}

int GlobalDib::bits_per_pixel() const {
    return read_u16(bytes, header_offset() + field_bit_count);
}

std::uint32_t GlobalDib::compression() const {
    return read_u32(bytes, header_offset() + field_compression);
}

std::uint32_t GlobalDib::image_size() const {
    return read_u32(bytes, header_offset() + field_image_size);
}

std::size_t GlobalDib::header_size() const {
    return read_u32(bytes, header_offset());
}

std::size_t GlobalDib::colour_count() const {
    const std::uint32_t used = read_u32(bytes, header_offset() + field_colours_used);
    if (used != 0)
        return used;
    const int bits = bits_per_pixel();
    return bits >= 1 && bits <= 8 ? std::size_t{1} << bits : 0;
}

std::size_t GlobalDib::pixel_offset() const {
    return header_offset() + header_size() + colour_count() * 4;
}

PictureLoad LoadPictureFile(const std::string& file_name, bool show_errors) {
    const std::optional<std::string> path = resolve_existing_path(file_name);
    if (path && is_compressed_file(*path))
        return load_compressed(*path, file_name, show_errors);
    return load_plain(path, file_name, show_errors);
}

void expand_rle8(GlobalDib& dib) {
    if (dib.compression() != bi_rle8 || dib.bits_per_pixel() != 8 || !plausible_header(dib) ||
        too_large_to_show(dib))
        return;
    const std::uint64_t row_width = stride_of(dib.width(), 8);
    const std::uint64_t image_size = row_width * magnitude(dib.height());
    const std::size_t start = dib.pixel_offset();
    if (start > dib.bytes.size() || image_size > largest_image_bytes)
        return;

    std::vector<std::uint8_t> expanded;
    try {
        expanded.assign(start + static_cast<std::size_t>(image_size) + rle8_slack, 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    std::copy_n(dib.bytes.begin(), start, expanded.begin());
    write_u32(expanded, dib.header_offset() + field_compression, bi_rgb);
    write_u32(expanded, dib.header_offset() + field_image_size,
              static_cast<std::uint32_t>(image_size));

    const std::uint8_t* source = dib.bytes.data() + start;
    const std::size_t length = dib.bytes.size() - start;
    std::uint8_t* target = expanded.data() + start;
    std::size_t at = 0;
    // Row and column rather than one position, so an end of line right after a
    // full row does not skip a row.
    std::uint64_t row = 0;
    std::uint64_t column = 0;
    auto position = [&] { return row * row_width + column; };
    while (position() < image_size && length - at >= 2) {
        const std::uint8_t count = source[at];
        const std::uint8_t value = source[at + 1];
        at += 2;
        if (count > 0) {
            const std::uint64_t n = std::min<std::uint64_t>(count, image_size - position());
            std::fill_n(target + position(), n, value);
            column += count;
        } else if (value == 0) {
            ++row;
            column = 0;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (length - at < 2)
                break;
            column += source[at];
            row += source[at + 1];
            at += 2;
        } else {
            const std::size_t present = std::min<std::size_t>(value, length - at);
            const std::uint64_t n = std::min<std::uint64_t>(present, image_size - position());
            std::copy_n(source + at, n, target + position());
            column += value;
            at += std::min<std::size_t>((value + 1u) / 2 * 2, length - at);
        }
    }
    dib.bytes = std::move(expanded);
}

QImage dib_to_image(const GlobalDib& dib) {
    return image_of(dib, false);
}

void DrawDib(QPainter& painter, int x, int y, bool and_mode, const GlobalDib* dib, int height,
             int width) {
    if (dib == nullptr)
        return;
    const QImage image = image_of(*dib, true);
    if (image.isNull())
        return;
    if (width == 0) {
        width = image.width();
        height = image.height();
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(and_mode ? QPainter::RasterOp_SourceAndDestination
                                        : QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, width, height), image);
    painter.restore();
}

void DrawBitmap(QPainter& painter, const QImage& bitmap, QPoint point, RasterOperation operation) {
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    switch (operation) {
    case RasterOperation::copy:
        mode = QPainter::CompositionMode_Source;
        break;
    case RasterOperation::and_source:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case RasterOperation::or_source:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case RasterOperation::xor_source:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    }
    painter.save();
    painter.setCompositionMode(mode);
    painter.drawImage(point, bitmap);
    painter.restore();
}

JpegPicture decode_jpeg(const std::uint8_t* data, std::size_t size, int scale_denominator) {
    JpegDecoder decoder;
    if (data == nullptr || size == 0) {
        decoder.picture.complete = false;
        decoder.picture.error = "empty picture file";
        return decoder.picture;
    }
    decoder.scale_denominator = std::clamp(scale_denominator, 1, 8);
    run_jpeg_decoder(decoder, data, size);
    if (!decoder.picture.error.empty())
        decoder.picture.image = QImage();
    return std::move(decoder.picture);
}

std::optional<QSize> jpeg_size(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0)
        return std::nullopt;
    JpegDecoder decoder;
    if (setjmp(decoder.errors.jump) != 0)
        return std::nullopt;
    jpeg_mem_src(&decoder.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder.info, TRUE);
    return QSize(static_cast<int>(decoder.info.image_width),
                 static_cast<int>(decoder.info.image_height));
}

int jpeg_scale_denominator(QSize picture, QSize shown) {
    for (int denominator : {8, 4, 2}) {
        if (picture.width() / denominator >= shown.width() &&
            picture.height() / denominator >= shown.height())
            return denominator;
    }
    return 1;
}

PictureBytes read_picture_bytes(const std::string& file_name) {
    PictureBytes result;
    const std::optional<std::string> path = resolve_existing_path(file_name);
    if (!path) {
        result.error = "file \"" + file_name + "\" does not exist";
        return result;
    }
    PosixFile file;
    if (int error = file.open(*path, PosixFile::Mode::read); error != 0) {
        result.error = "cannot open \"" + file_name + "\": " + system_error_text(error);
        return result;
    }
    std::array<std::uint8_t, 65536> buffer{};
    for (;;) {
        std::size_t count = 0;
        if (int error = file.read(reinterpret_cast<char*>(buffer.data()), buffer.size(), count);
            error != 0) {
            result.error = "cannot read \"" + file_name + "\": " + system_error_text(error);
            result.bytes.clear();
            return result;
        }
        if (count == 0)
            break;
        result.bytes.insert(result.bytes.end(), buffer.begin(),
                            buffer.begin() + static_cast<std::ptrdiff_t>(count));
    }
    return result;
}

JpegPicture load_jpeg_file(const std::string& file_name) {
    const PictureBytes content = read_picture_bytes(file_name);
    if (!content.error.empty()) {
        JpegPicture failed;
        failed.complete = false;
        failed.error = content.error;
        return failed;
    }
    JpegPicture picture = decode_jpeg(content.bytes.data(), content.bytes.size());
    if (!picture.error.empty())
        log_line("JPEG picture " + file_name + ": " + picture.error);
    return picture;
}

std::optional<JpegPicture> LoadJpegResource(std::string_view name) {
    QFile file(QStringLiteral(":/") +
               QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        JpegPicture failed;
        failed.complete = false;
        failed.error = "cannot open resource " + std::string(name);
        return failed;
    }
    const QByteArray content = file.readAll();
    return decode_jpeg(reinterpret_cast<const std::uint8_t*>(content.constData()),
                       static_cast<std::size_t>(content.size()));
}

QRect work_area() {
    static const QRect area = [] {
        if (qGuiApp != nullptr) {
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                return screen->availableGeometry();
        }
        return QRect(0, 0, 1024, 768);
    }();
    return area;
}

} // namespace pemmaro
