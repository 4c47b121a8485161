#include "TamrekCompressor.h"
#include "TestSupport.h"
#include "maps_pictures/PictureFiles.h"

#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct DibFields {
    std::int32_t width = 2;
    std::int32_t height = 2;
    int bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t image_size = 0;
    std::uint32_t header_size = 40;
};

// Header, colour table (BGRX) and pixels, as held in memory.
Bytes make_dib(const DibFields& f, const std::vector<QRgb>& palette, const Bytes& pixels) {
    Bytes dib(40 + 4 * palette.size(), 0);
    put32(dib, 0, f.header_size);
    put32(dib, 4, static_cast<std::uint32_t>(f.width));
    put32(dib, 8, static_cast<std::uint32_t>(f.height));
    dib[12] = 1;
    dib[14] = static_cast<std::uint8_t>(f.bits);
    put32(dib, 16, f.compression);
    put32(dib, 20, f.image_size);
    put32(dib, 32, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        dib[40 + 4 * i] = static_cast<std::uint8_t>(qBlue(palette[i]));
        dib[41 + 4 * i] = static_cast<std::uint8_t>(qGreen(palette[i]));
        dib[42 + 4 * i] = static_cast<std::uint8_t>(qRed(palette[i]));
    }
    dib.insert(dib.end(), pixels.begin(), pixels.end());
    return dib;
}

std::string bmp_file(const Bytes& dib) {
    Bytes header(14, 0);
    header[0] = 'B';
    header[1] = 'M';
    put32(header, 2, static_cast<std::uint32_t>(dib.size() + 14));
    header.insert(header.end(), dib.begin(), dib.end());
    return std::string(header.begin(), header.end());
}

const std::vector<QRgb> grey_ramp = {qRgb(0, 0, 0), qRgb(10, 10, 10), qRgb(20, 20, 20),
                                     qRgb(30, 30, 30), qRgb(40, 40, 40)};

// The expanded pixels of an 8-bit run-length-encoded picture.
Bytes expand(std::int32_t width, std::int32_t height, const Bytes& encoded) {
    GlobalDib dib{make_dib({width, height, 8, 1, 0, 40}, grey_ramp, encoded)};
    expand_rle8(dib);
    EXPECT_EQ(dib.compression(), 0u);
    const std::size_t size = static_cast<std::size_t>((width + 3) / 4 * 4 * std::abs(height));
    EXPECT_EQ(dib.image_size(), size);
    EXPECT_EQ(dib.bytes.size(), dib.pixel_offset() + size + 500);
    const auto start = dib.bytes.begin() + static_cast<std::ptrdiff_t>(dib.pixel_offset());
    EXPECT_TRUE(std::all_of(start + static_cast<std::ptrdiff_t>(size), dib.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));
    return Bytes(start, start + static_cast<std::ptrdiff_t>(size));
}

// Encodes samples(x, y, component) with libjpeg's own compressor.
Bytes encode_jpeg(int width, int height, int components, J_COLOR_SPACE space,
                  const std::function<int(int, int, int)>& samples) {
    struct Encoder {
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        unsigned char* buffer = nullptr; // allocated by libjpeg, freed here
        unsigned long size = 0;
        Encoder() {
            info.err = jpeg_std_error(&errors);
            jpeg_create_compress(&info);
        }
        ~Encoder() {
            jpeg_destroy_compress(&info);
            std::free(buffer);
        }
    } encoder;
    encoder.info.image_width = static_cast<JDIMENSION>(width);
    encoder.info.image_height = static_cast<JDIMENSION>(height);
    encoder.info.input_components = components;
    encoder.info.in_color_space = space;
    jpeg_mem_dest(&encoder.info, &encoder.buffer, &encoder.size);
    jpeg_set_defaults(&encoder.info);
    jpeg_set_quality(&encoder.info, 95, TRUE);
    jpeg_start_compress(&encoder.info, TRUE);
    Bytes row(static_cast<std::size_t>(width * components));
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * components; ++i)
            row[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(samples(i / components, y, i % components));
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder.info, rows, 1);
    }
    jpeg_finish_compress(&encoder.info);
    return Bytes(encoder.buffer, encoder.buffer + encoder.size);
}

void expect_near(QRgb actual, QRgb expected) {
    EXPECT_NEAR(qRed(actual), qRed(expected), 6);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 6);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 6);
}

} // namespace

TEST(LoadPictureFile, ReportsMissingShortAndForeignFilesByNameAsGiven) {
    TempDir dir;
    write_file(dir.file("short.bmp"), "BM345678");
    write_file(dir.file("jpeg.bmp"), std::string(60, 'J'));
    ScopedResponder responder;
    const struct {
        std::string name;
        PictureStatus status;
        std::string text;
    } cases[] = {
        {dir.file("short.bmp"), PictureStatus::missing, "\" does not exist, can not show picture."},
        {dir.file("none.bmp"), PictureStatus::missing, "\" does not exist, can not show picture."},
        {dir.file("JPEG.BMP"), PictureStatus::not_a_bitmap,
         "\" is not a Windows bitmap file, can not show picture."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadPictureFile(c.name, false).status, c.status) << c.name;
        EXPECT_TRUE(responder.responder.requests.empty());
        const PictureLoad load = LoadPictureFile(c.name, true);
        EXPECT_EQ(load.status, c.status);
        EXPECT_FALSE(load.dib);
        ASSERT_EQ(responder.responder.requests.size(), 1u) << c.name;
        EXPECT_EQ(responder.responder.requests[0].text, "File \"" + c.name + c.text);
        EXPECT_EQ(responder.responder.requests[0].icon, MessageIcon::error);
        responder.responder.requests.clear();
    }
}

TEST(LoadPictureFile, RefusesAbsurdHeadersWithoutReadingPastThem) {
    TempDir dir;
    const Bytes pixels(64, 1);
    const DibFields bad[] = {
        {2, 2, 8, 0, 0, 12},
        {2, 2, 8, 0, 0, 0xFFFFFFFF},
        {2, 2, 7, 0, 0, 40},
        {0, 2, 8, 0, 0, 40},
        {-4, 2, 8, 0, 0, 40},
        {2, 0, 8, 0, 0, 40},
        {100000, -100000, 32, 0, 0, 40},
        {2, 2, 8, 0, 0, 200},
    };
    for (const DibFields& f : bad) {
        write_file(dir.file("bad.bmp"), bmp_file(make_dib(f, {}, pixels)));
        const PictureLoad load = LoadPictureFile(dir.file("bad.bmp"), false);
        EXPECT_EQ(load.status, PictureStatus::not_a_bitmap) << f.width << " " << f.header_size;
        EXPECT_FALSE(load.dib);
    }
}

TEST(LoadPictureFile, RefusesPicturesTooLargeToShowBeforeAllocatingThem) {
    TempDir dir;
    // A few bytes each that claim 12000 by 12000 pixels.
    const std::string rle = bmp_file(make_dib({12000, 12000, 8, 1, 0, 40}, grey_ramp, {0, 1}));
    const Bytes packed = tamrek_compress(Bytes(rle.begin(), rle.end()));
    write_file(dir.file("rle.bmp"), rle);
    write_file(dir.file("packed.bmp"), std::string(packed.begin(), packed.end()));
    write_file(dir.file("plain.bmp"),
               bmp_file(make_dib({12000, -12000, 24, 0, 0, 40}, {}, Bytes(64, 1))));
    ScopedResponder responder;
    for (const char* name : {"rle.bmp", "packed.bmp", "plain.bmp"}) {
        const PictureLoad load = LoadPictureFile(dir.file(name), true);
        EXPECT_EQ(load.status, PictureStatus::out_of_memory) << name;
        EXPECT_FALSE(load.dib) << name;
    }
    ASSERT_EQ(responder.responder.requests.size(), 3u);
    EXPECT_EQ(responder.responder.requests[0].text,
              "Error when trying to allocate memory, can not show picture.");
}

TEST(LoadPictureFile, RunLengthEncodedAndCompressedFilesDrawLikePlainOnes) {
    TempDir dir;
    const std::string plain =
        bmp_file(make_dib({3, 2, 8, 0, 0, 40}, grey_ramp, {1, 2, 3, 0, 4, 4, 0, 0}));
    const std::string rle = bmp_file(
        make_dib({3, 2, 8, 1, 14, 40}, grey_ramp, {0, 3, 1, 2, 3, 0, 0, 0, 2, 4, 1, 0, 0, 1}));
    const Bytes packed = tamrek_compress(Bytes(rle.begin(), rle.end()));
    write_file(dir.file("pics/plain.bmp"), plain);
    write_file(dir.file("rle.bmp"), rle);
    write_file(dir.file("packed.bmp"), std::string(packed.begin(), packed.end()));
    std::vector<QImage> drawn;
    // A data path in another letter case; a missing image size is filled in.
    for (const char* name : {"PICS\\Plain.BMP", "rle.bmp", "packed.bmp"}) {
        const PictureLoad load = LoadPictureFile(dir.file(name), false);
        ASSERT_EQ(load.status, PictureStatus::loaded) << name;
        EXPECT_EQ(load.dib->compression(), 0u);
        EXPECT_EQ(load.dib->image_size(), 8u);
        QImage canvas(4, 3, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        DrawDib(painter, 1, 1, false, &*load.dib, 0, 0);
        drawn.push_back(canvas);
    }
    EXPECT_EQ(drawn[0].pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(drawn[0].pixel(3, 2), qRgb(30, 30, 30));
    EXPECT_EQ(drawn[1], drawn[0]);
    EXPECT_EQ(drawn[2], drawn[0]);

    const PictureLoad packed_load = LoadPictureFile(dir.file("packed.bmp"), false);
    EXPECT_EQ(packed_load.dib->header_offset(), 16u);
    EXPECT_EQ(packed_load.dib->pixel_offset(), 16u + 40 + 5 * 4);

    const std::string text(100, 'T');
    const Bytes packed_text = tamrek_compress(Bytes(text.begin(), text.end()));
    write_file(dir.file("text.bmp"), std::string(packed_text.begin(), packed_text.end()));
    ScopedResponder responder;
    EXPECT_EQ(LoadPictureFile(dir.file("text.bmp"), true).status, PictureStatus::not_a_bitmap);
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    EXPECT_EQ(responder.responder.requests[0].text,
              "File \"" + dir.file("text.bmp") +
                  "\" is not a Windows bitmap file, can not show picture.");
}

TEST(ExpandRle8, FollowsRunsLineEndsDeltasAndAbsoluteRuns) {
    // Runs, an end of line, then the end of the bitmap leaves the rest zero.
    EXPECT_EQ(expand(6, 3, {3, 7, 2, 9, 0, 0, 1, 5, 0, 1, 4, 4}),
              (Bytes{7, 7, 7, 9, 9, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // An end of line right after a full row starts the very next row.
    EXPECT_EQ(expand(4, 3, {4, 1, 0, 0, 4, 2, 0, 0, 0, 0}),
              (Bytes{1, 1, 1, 1, 2, 2, 2, 2, 0, 0, 0, 0}));
    // A delta moves right and up.
    EXPECT_EQ(expand(4, 2, {1, 3, 0, 2, 2, 1, 1, 4}), (Bytes{3, 0, 0, 0, 0, 0, 0, 4}));
    // An odd absolute run is padded to a whole pair; an even one is not.
    EXPECT_EQ(expand(8, 1, {0, 3, 5, 6, 7, 99, 0, 4, 1, 2, 3, 4, 1, 8}),
              (Bytes{5, 6, 7, 1, 2, 3, 4, 8}));
}

TEST(ExpandRle8, HostileStreamsStayInsideTheImage) {
    EXPECT_EQ(expand(4, 1, {255, 7, 9, 9}), (Bytes{7, 7, 7, 7}));
    EXPECT_EQ(expand(4, 1, {0, 200, 1, 2, 3, 4, 5, 6}), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(expand(4, 1, {0, 5, 1, 2}), (Bytes{1, 2, 0, 0}));
    EXPECT_EQ(expand(4, 2, {0, 2, 255, 255, 1, 1}), (Bytes(8, 0)));
    EXPECT_EQ(expand(4, 1, {1, 1, 0, 2, 1}), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(expand(4, -2, {2, 3, 0}), (Bytes{3, 3, 0, 0, 0, 0, 0, 0}));

    GlobalDib plain{make_dib({4, 1, 8, 0, 0, 40}, grey_ramp, {1, 2, 3, 4})};
    const Bytes before = plain.bytes;
    expand_rle8(plain);
    EXPECT_EQ(plain.bytes, before);
}

TEST(DibToImage, ReadsEveryDepthInRowOrder) {
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    // 8 bits, bottom-up: the first row in the block is the lowest; index 7 has no entry.
    QImage image =
        dib_to_image({make_dib({2, 2, 8, 0, 0, 40}, {red, blue}, {0, 1, 0, 0, 7, 0, 0, 0})});
    EXPECT_EQ(image.pixel(0, 1), red);
    EXPECT_EQ(image.pixel(1, 1), blue);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    // 24 bits, top-down, rows padded to 4 bytes.
    image =
        dib_to_image({make_dib({3, -2, 24, 0, 0, 40}, {}, {1, 2, 3, 0, 0, 0,  0,  0,  0, 0, 0, 0, 0,
                                                           0, 0, 0, 0, 0, 30, 20, 10, 0, 0, 0})});
    EXPECT_EQ(image.pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(image.pixel(2, 1), qRgb(10, 20, 30));
    // 1 bit across a byte boundary, 4 bits, 16 bits as RGB555, 32 bits.
    image = dib_to_image({make_dib({9, 1, 1, 0, 0, 40}, {red, blue}, {0x80, 0x80, 0, 0})});
    EXPECT_EQ(image.pixel(0, 0), blue);
    EXPECT_EQ(image.pixel(7, 0), red);
    EXPECT_EQ(image.pixel(8, 0), blue);
    image = dib_to_image({make_dib({3, 1, 4, 0, 0, 40}, {red, blue}, {0x01, 0x10, 0, 0})});
    EXPECT_EQ(image.pixel(1, 0), blue);
    EXPECT_EQ(image.pixel(2, 0), blue);
    EXPECT_EQ(image.pixel(0, 0), red);
    image = dib_to_image({make_dib({2, 1, 16, 0, 0, 40}, {}, {0x00, 0x7C, 0x1F, 0x00})});
    EXPECT_EQ(image.pixel(0, 0), red);
    EXPECT_EQ(image.pixel(1, 0), blue);
    image = dib_to_image({make_dib({1, 1, 32, 0, 0, 40}, {}, {5, 6, 7, 0})});
    EXPECT_EQ(image.pixel(0, 0), qRgb(7, 6, 5));
}

TEST(DibToImage, RefusesShortBlocksAndOtherCompressions) {
    EXPECT_TRUE(dib_to_image({make_dib({4, 4, 24, 0, 0, 40}, {}, Bytes(47, 0))}).isNull());
    EXPECT_TRUE(dib_to_image({make_dib({1, 1, 32, 3, 0, 40}, {}, Bytes(4, 0))}).isNull());
    EXPECT_TRUE(dib_to_image({Bytes{40, 0, 0}}).isNull());
    EXPECT_TRUE(dib_to_image({}).isNull());
}

TEST(DrawDib, StretchesWithoutSmoothingAndAndsWithTheBackground) {
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), red = qRgb(200, 0, 0),
               green = qRgb(0, 150, 0), teal = qRgb(0x33, 0x66, 0xCC);
    // Compression 3 is drawn as plain rows and the block is left as it is.
    GlobalDib dib{
        make_dib({2, 2, 8, 3, 0, 40}, {white, black, red, green}, {2, 3, 0, 0, 0, 1, 0, 0})};
    const Bytes before = dib.bytes;
    QImage canvas(6, 6, QImage::Format_RGB32);
    canvas.fill(teal);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        DrawDib(painter, 1, 1, false, &dib, 4, 4);
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
        DrawDib(painter, 0, 0, false, nullptr, 6, 6);
    }
    EXPECT_EQ(dib.bytes, before);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            QRgb expected = teal;
            if (x >= 1 && x < 5 && y >= 1 && y < 5)
                expected = y < 3 ? (x < 3 ? white : black) : (x < 3 ? red : green);
            EXPECT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }

    canvas.fill(teal);
    {
        QPainter painter(&canvas);
        DrawDib(painter, 0, 0, true, &dib, 0, 0);
    }
    EXPECT_EQ(canvas.pixel(0, 0), teal);  // white AND teal
    EXPECT_EQ(canvas.pixel(1, 0), black); // black AND teal
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0x66 & 150, 0));
    EXPECT_EQ(canvas.pixel(2, 2), teal);
}

TEST(Jpeg, DecodesColourGreyAndAdobeCmyk) {
    const int colour[] = {200, 40, 90};
    Bytes data = encode_jpeg(16, 8, 3, JCS_RGB, [&](int, int, int c) { return colour[c]; });
    JpegPicture picture = decode_jpeg(data.data(), data.size());
    EXPECT_TRUE(picture.complete);
    EXPECT_EQ(picture.error, "");
    ASSERT_EQ(picture.image.size(), QSize(16, 8));
    expect_near(picture.image.pixel(15, 7), qRgb(200, 40, 90));

    data = encode_jpeg(8, 8, 1, JCS_GRAYSCALE, [](int, int, int) { return 77; });
    picture = decode_jpeg(data.data(), data.size());
    ASSERT_FALSE(picture.image.isNull());
    expect_near(picture.image.pixel(3, 3), qRgb(77, 77, 77));

    // Adobe's inverted CMYK: 255 means no ink, so this is magenta.
    const int inks[] = {255, 0, 255, 255};
    data = encode_jpeg(8, 8, 4, JCS_CMYK, [&](int, int, int c) { return inks[c]; });
    picture = decode_jpeg(data.data(), data.size());
    ASSERT_FALSE(picture.image.isNull());
    expect_near(picture.image.pixel(4, 4), qRgb(255, 0, 255));
}

TEST(Jpeg, TruncatedCorruptAndHugePictures) {
    const Bytes data = encode_jpeg(64, 64, 3, JCS_RGB, [](int x, int y, int c) {
        return (x * 37 + y * 101 + c * 53) * 7919 % 256;
    });
    JpegPicture picture = decode_jpeg(data.data(), data.size() / 2);
    EXPECT_FALSE(picture.complete);
    EXPECT_EQ(picture.image.size(), QSize(64, 64));

    const Bytes garbage(500, 0x5A);
    for (const Bytes& bad : {garbage, Bytes{}}) {
        picture = decode_jpeg(bad.data(), bad.size());
        EXPECT_TRUE(picture.image.isNull());
        EXPECT_FALSE(picture.error.empty());
    }

    Bytes huge = data;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0x4E; // 20000 by 20000
            huge[i + 6] = huge[i + 8] = 0x20;
            break;
        }
    }
    picture = decode_jpeg(huge.data(), huge.size());
    EXPECT_TRUE(picture.image.isNull());
    EXPECT_EQ(picture.error, "picture too large");
}

TEST(Jpeg, LoadsDataFilesAndResources) {
    TempDir dir;
    const Bytes data = encode_jpeg(4, 2, 3, JCS_RGB, [](int, int, int) { return 128; });
    write_file(dir.file("pics/photo.jpg"), std::string(data.begin(), data.end()));
    EXPECT_EQ(load_jpeg_file(dir.path() + "PICS\\Photo.JPG").image.size(), QSize(4, 2));
    const JpegPicture missing = load_jpeg_file(dir.file("pics/none.jpg"));
    EXPECT_TRUE(missing.image.isNull());
    EXPECT_NE(missing.error, "");
    EXPECT_FALSE(LoadJpegResource("NO_SUCH_PICTURE"));
}
