#include "Illustrations.h"

#include "MediaCommon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <jpeglib.h>

namespace pemmaro::media {

namespace {

QColor hsv(double hue, double saturation, double value) {
    const auto wrap = [](double h) { return static_cast<int>(h - 360 * std::floor(h / 360)); };
    return QColor::fromHsv(wrap(hue), static_cast<int>(std::clamp(saturation, 0.0, 255.0)),
                           static_cast<int>(std::clamp(value, 0.0, 255.0)));
}

QColor pick(Random& random, std::initializer_list<QColor> colours) {
    const int n = random.below(static_cast<int>(colours.size()));
    return *(colours.begin() + n);
}

// Small shifts of hue and brightness, so pictures of one species differ.
QColor varied(const QColor& colour, Random& random, double amount) {
    return hsv(colour.hsvHue() + amount * 12 * random.normal(), colour.hsvSaturation(),
               colour.value() * (1 + amount * 0.1 * random.normal()));
}

BirdLook varied(const BirdLook& look, Random& random, double amount) {
    BirdLook v = look;
    for (QColor* colour : {&v.body, &v.wing, &v.head, &v.breast})
        *colour = varied(*colour, random, amount);
    return v;
}

QPen outline(double width) {
    return QPen(QColor(25, 25, 25, 170), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The head, facing right; local units (body length about 1.6).
void draw_head(QPainter& p, const BirdLook& b, QPointF head) {
    const double r = b.head_size;
    if (b.has_crest) {
        p.setBrush(b.head);
        p.drawPolygon(
            QPolygonF({head + QPointF(-0.2 * r, -0.6 * r), head + QPointF(-0.6 * r, -r - b.crest),
                       head + QPointF(0.45 * r, -0.75 * r)}));
    }
    p.setBrush(b.head);
    p.drawEllipse(head, r, r);
    p.setBrush(b.beak);
    p.drawPolygon(QPolygonF({head + QPointF(0.8 * r, -0.25 * r),
                             head + QPointF(0.8 * r + b.beak_length, 0.05 * r),
                             head + QPointF(0.75 * r, -0.25 * r + b.beak_depth)}));
    if (b.has_cheek_patch) {
        p.setPen(Qt::NoPen);
        p.setBrush(b.cheek);
        p.drawEllipse(head + QPointF(-0.05 * r, 0.35 * r), 0.35 * r, 0.25 * r);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(head + QPointF(0.35 * r, -0.2 * r), 0.2 * r, 0.2 * r);
    p.setBrush(QColor(15, 15, 15));
    p.drawEllipse(head + QPointF(0.38 * r, -0.2 * r), 0.13 * r, 0.13 * r);
    p.setBrush(Qt::white);
    p.drawEllipse(head + QPointF(0.42 * r, -0.25 * r), 0.04 * r, 0.04 * r);
}

void draw_perched(QPainter& p, const BirdLook& b, double line) {
    p.setPen(outline(line));
    const double half = b.body_length / 2;
    p.setBrush(b.wing);
    p.drawPolygon(QPolygonF({{-0.7 * half, 0.05},
                             {-half - b.tail_length, 0.3 + 0.3 * b.tail_length},
                             {-half - 0.85 * b.tail_length, 0.5 + 0.35 * b.tail_length},
                             {-0.45 * half, 0.32}}));
    p.setBrush(b.body);
    p.drawEllipse(QRectF(-half, -0.45, b.body_length, 0.9));
    p.setBrush(b.breast);
    p.drawEllipse(QRectF(0.0, -0.25, 0.85 * half, 0.66));
    p.save();
    p.rotate(-8);
    p.setBrush(b.wing);
    p.drawEllipse(QRectF(-0.95 * half, -0.38, 1.35 * half, 0.5));
    p.setPen(QPen(b.wing.lighter(150), line * 1.5));
    p.drawLine(QPointF(-0.6 * half, -0.05), QPointF(0.2 * half, -0.1));
    p.restore();
    p.setPen(outline(line));
    draw_head(p, b, {0.9 * half, -0.5});
    p.setPen(QPen(QColor(60, 50, 40), line * 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.05, 0.4), QPointF(0.0, 0.68));
    p.drawLine(QPointF(0.28, 0.38), QPointF(0.24, 0.68));
}

// A swept wing from the shoulder; up below 0 is a downstroke.
QPainterPath wing_path(QPointF shoulder, double length, double up) {
    const QPointF tip = shoulder + QPointF(-0.55 * length, -length * up);
    QPainterPath path(shoulder);
    path.cubicTo(shoulder + QPointF(0.05, -0.5 * length * up), tip + QPointF(0.35 * length, 0),
                 tip);
    path.quadTo(shoulder + QPointF(-0.45 * length, -0.35 * length * up),
                shoulder + QPointF(-0.45, 0.05));
    path.closeSubpath();
    return path;
}

void draw_flying(QPainter& p, const BirdLook& b, double line, double up) {
    p.setPen(outline(line));
    const double half = b.body_length / 2;
    // The far wing first, darker and shorter.
    p.setBrush(b.wing.darker(130));
    p.drawPath(wing_path({0.3, -0.12}, 1.0, up));
    p.setBrush(b.wing);
    p.drawPolygon(QPolygonF({{-half - b.tail_length, -0.12},
                             {-half - b.tail_length, 0.22},
                             {-0.6 * half, 0.12},
                             {-0.6 * half, -0.05}}));
    p.setBrush(b.body);
    p.drawEllipse(QRectF(-half, -0.3, b.body_length, 0.6));
    p.setBrush(b.breast);
    p.drawEllipse(QRectF(-0.1, -0.1, 0.9 * half, 0.4));
    draw_head(p, b, {1.05 * half, -0.12});
    p.setPen(outline(line));
    p.setBrush(b.wing);
    p.drawPath(wing_path({0.15, 0.0}, 1.3, up));
}

void draw_branch(QPainter& p, QPointF from, QPointF to, double thickness, Random& random) {
    QPainterPath path(from);
    const QPointF middle = (from + to) / 2 + QPointF(0, thickness * random.between(-2, 2));
    path.quadTo(middle, to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(95, 70, 45), thickness, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(QPen(QColor(70, 50, 30), thickness * 0.25));
    p.drawPath(path.translated(0, thickness * 0.2));
    p.setPen(Qt::NoPen);
    const int leaves = 3 + random.below(4);
    for (int i = 0; i < leaves; ++i) {
        const QPointF at = path.pointAtPercent(random.between(0.05, 0.95));
        p.save();
        p.translate(at);
        p.rotate(random.between(-160, -20));
        p.setBrush(hsv(random.between(85, 130), random.between(120, 200), random.between(90, 170)));
        p.drawEllipse(QRectF(0, -thickness * 0.6, thickness * 3.5, thickness * 1.2));
        p.restore();
    }
}

enum class Scene { sky, forest, water, dusk, grassland };

void draw_background(QPainter& p, QRectF area, Scene scene, Random& random) {
    const double w = area.width();
    const double h = area.height();
    QLinearGradient sky(0, 0, 0, h);
    switch (scene) {
    case Scene::dusk:
        sky.setColorAt(0, hsv(random.between(250, 280), 120, 110));
        sky.setColorAt(1, hsv(random.between(15, 35), 190, 240));
        break;
    case Scene::forest:
        sky.setColorAt(0, hsv(random.between(90, 130), 130, 90));
        sky.setColorAt(1, hsv(random.between(70, 100), 110, 150));
        break;
    default:
        sky.setColorAt(0, hsv(random.between(200, 225), random.between(110, 170), 225));
        sky.setColorAt(1, hsv(random.between(190, 210), 50, 250));
    }
    p.fillRect(area, sky);
    p.setPen(Qt::NoPen);
    switch (scene) {
    case Scene::sky:
        for (int i = 0; i < 3 + random.below(3); ++i) {
            p.setBrush(QColor(255, 255, 255, 170));
            const QPointF c(random.between(0, w), random.between(0, h * 0.5));
            for (int k = 0; k < 4; ++k)
                p.drawEllipse(c + QPointF(k * w * 0.04, random.between(-0.02, 0.02) * h), w * 0.06,
                              h * 0.05);
        }
        break;
    case Scene::forest:
        for (int i = 0; i < 6 + random.below(5); ++i) {
            p.setBrush(
                hsv(random.between(80, 140), random.between(100, 200), random.between(40, 110)));
            p.drawEllipse(QPointF(random.between(0, w), random.between(0, h)), w * 0.18, h * 0.2);
        }
        for (int i = 0; i < 2 + random.below(3); ++i) {
            p.setBrush(QColor(60, 45, 30));
            p.drawRect(QRectF(random.between(0, w), 0, w * 0.03, h));
        }
        break;
    case Scene::water: {
        const double shore = h * random.between(0.6, 0.75);
        p.setBrush(hsv(random.between(190, 215), 150, 170));
        p.drawRect(QRectF(0, shore, w, h - shore));
        p.setPen(QPen(QColor(255, 255, 255, 120), h * 0.005));
        for (int i = 0; i < 12; ++i) {
            const double y = random.between(shore, h);
            const double x = random.between(0, w);
            p.drawLine(QPointF(x, y), QPointF(x + w * 0.08, y));
        }
        p.setPen(Qt::NoPen);
        break;
    }
    case Scene::dusk:
        p.setBrush(QColor(255, 220, 140));
        p.drawEllipse(QPointF(random.between(0.1, 0.9) * w, h * 0.7), h * 0.08, h * 0.08);
        p.setBrush(QColor(40, 30, 45));
        p.drawRect(QRectF(0, h * 0.8, w, h * 0.2));
        break;
    case Scene::grassland:
        p.setBrush(hsv(random.between(60, 90), 130, 160));
        p.drawRect(QRectF(0, h * 0.65, w, h * 0.35));
        p.setPen(QPen(hsv(90, 150, 100), h * 0.004));
        for (int i = 0; i < 60; ++i) {
            const double x = random.between(0, w);
            const double y = random.between(h * 0.68, h);
            p.drawLine(QPointF(x, y), QPointF(x + random.between(-4, 4), y - h * 0.05));
        }
        p.setPen(Qt::NoPen);
        break;
    }
}

// A perched bird on a branch across the picture, or a flying one.
void draw_bird_scene(QPainter& p, QRectF area, const BirdLook& look, Random& random, bool flying,
                     bool facing_left, double scale) {
    const QPointF centre(area.width() * random.between(0.38, 0.62),
                         area.height() * random.between(0.4, 0.52));
    if (!flying) {
        const double feet = centre.y() + 0.7 * scale;
        draw_branch(p, {-area.width() * 0.05, feet + random.between(-0.3, 0.3) * scale},
                    {area.width() * 1.05, feet + random.between(-0.3, 0.3) * scale}, scale * 0.16,
                    random);
    }
    p.save();
    p.translate(centre);
    p.scale(facing_left ? -scale : scale, scale);
    p.rotate(flying ? random.between(-10, 10) : random.between(-25, -5));
    if (flying)
        draw_flying(p, look, 0.025,
                    random.chance(0.3) ? random.between(-0.5, -0.3) : random.between(0.6, 1.0));
    else
        draw_perched(p, look, 0.025);
    p.restore();
}

class JpegCompressor {
public:
    JpegCompressor() {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
    }
    ~JpegCompressor() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

} // namespace

BirdLook look_for_species(int unique_id, int species_id) {
    Random random(seed_of({unique_id, species_id, 77}));
    BirdLook b;
    const double hue = random.between(0, 360);
    b.body = hsv(hue, random.between(60, 200), random.between(90, 200));
    b.wing =
        random.chance(0.5) ? b.body.darker(140) : hsv(hue + random.between(120, 240), 150, 150);
    switch (random.below(5)) {
    case 0:
        b.head = b.body;
        break;
    case 1:
        b.head = hsv(hue + 180, 170, 180);
        break;
    case 2:
        b.head = QColor(20, 20, 25);
        break;
    case 3:
        b.head = QColor(235, 235, 230);
        break;
    default:
        b.head = hsv(random.between(0, 20), 210, 200);
    }
    b.breast = random.chance(0.5) ? hsv(hue, 40, 240)
                                  : pick(random, {QColor(250, 250, 245), QColor(245, 200, 60),
                                                  QColor(235, 140, 60), QColor(200, 60, 50)});
    b.beak = pick(random, {QColor(240, 200, 40), QColor(230, 120, 30), QColor(30, 30, 30),
                           QColor(200, 40, 40), QColor(150, 150, 150)});
    b.has_cheek_patch = random.chance(0.4);
    b.cheek = pick(random, {QColor(220, 30, 30), QColor(250, 250, 250), QColor(40, 40, 40)});
    b.has_crest = random.chance(0.35);
    b.crest = random.between(0.15, 0.45);
    b.beak_length = random.between(0.2, 0.9);
    b.beak_depth = random.between(0.1, 0.3);
    b.tail_length = random.between(0.4, 1.6);
    b.head_size = random.between(0.3, 0.42);
    b.body_length = random.between(1.4, 2.0);
    return b;
}

QImage small_picture(const BirdLook& look, std::uint64_t seed) {
    Random random(seed);
    QImage image(small_picture_width, small_picture_height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, image.width(), image.height());
    draw_background(p, area, Scene::sky, random);
    draw_bird_scene(p, area, look, random, false, random.chance(0.3), 26);
    return image;
}

QImage big_picture(const BirdLook& species_look, std::uint64_t seed, const QString& caption,
                   QSize size) {
    Random random(seed);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn at the usual size and scaled: a larger picture shows the same scene in more detail.
    p.scale(static_cast<double>(size.width()) / big_picture_width,
            static_cast<double>(size.height()) / big_picture_height);
    const double strip = 26;
    const QRectF area(0, 0, big_picture_width, big_picture_height - strip);
    const auto scene = static_cast<Scene>(random.below(5));
    draw_background(p, area, scene, random);
    const BirdLook look = varied(species_look, random, 1);
    const bool flying = random.chance(0.3);
    const double scale = random.between(90, 150);
    draw_bird_scene(p, area, look, random, flying, random.chance(0.5), scale);

    p.fillRect(QRectF(0, area.height(), big_picture_width, strip), QColor(30, 30, 35));
    QFont font;
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(235, 235, 235));
    p.drawText(QRectF(10, area.height(), big_picture_width - 20, strip),
               Qt::AlignVCenter | Qt::AlignLeft, caption);
    return image;
}

std::vector<std::uint8_t> encode_jpeg(const QImage& image, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    JpegCompressor jpeg;
    jpeg_mem_dest(&jpeg.info, &jpeg.buffer, &jpeg.size);
    jpeg.info.image_width = static_cast<JDIMENSION>(rgb.width());
    jpeg.info.image_height = static_cast<JDIMENSION>(rgb.height());
    jpeg.info.input_components = 3;
    jpeg.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg.info);
    jpeg_set_quality(&jpeg.info, quality, TRUE);
    jpeg_start_compress(&jpeg.info, TRUE);
    while (jpeg.info.next_scanline < jpeg.info.image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(jpeg.info.next_scanline)));
        jpeg_write_scanlines(&jpeg.info, &row, 1);
    }
    jpeg_finish_compress(&jpeg.info);
    return std::vector<std::uint8_t>(jpeg.buffer, jpeg.buffer + jpeg.size);
}

} // namespace pemmaro::media
