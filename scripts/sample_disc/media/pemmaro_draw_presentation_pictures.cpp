// Draws the program's introduction and about pictures ("INTRO_JPEG" and
// "ABOUT_JPEG") from the sample edition's bird illustrations: tiles of the
// same birds, in the same plumage, as the edition's photographs.
//
//   pemmaro_draw_presentation_pictures RESOURCES_FOLDER
//
// writes pictures/intro.jpg and pictures/about.jpg there; the same build
// gives the same bytes. The build and the tests never run it; the pictures
// are committed.

#include "Illustrations.h"
#include "MediaCommon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <fstream>
#include <vector>

using namespace pemmaro::media;

namespace {

// Sample species: family x 100 + position, unique ID 2000 more.
struct Bird {
    int species_id;
    int picture;
};

// The picture cut to the tile's shape around its middle, without the caption strip.
QImage tile(const Bird& bird, QSize size) {
    const BirdLook look = look_for_species(bird.species_id + 2000, bird.species_id);
    const QImage full = big_picture(look, seed_of({bird.species_id + 2000, bird.picture, 2}), {});
    const int strip = 26;
    const QRect scene(0, 0, full.width(), full.height() - strip);
    QRect cut = scene;
    const double wanted = static_cast<double>(size.width()) / size.height();
    if (static_cast<double>(scene.width()) / scene.height() > wanted)
        cut.setWidth(static_cast<int>(scene.height() * wanted));
    else
        cut.setHeight(static_cast<int>(scene.width() / wanted));
    cut.moveCenter(scene.center());
    return full.copy(cut).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage grid(QSize size, int columns, int rows, int gap, const std::vector<Bird>& birds) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QSize each((size.width() - (columns - 1) * gap) / columns,
                     (size.height() - (rows - 1) * gap) / rows);
    for (int i = 0; i < columns * rows && i < static_cast<int>(birds.size()); ++i) {
        const QPoint at((i % columns) * (each.width() + gap),
                        (i / columns) * (each.height() + gap));
        painter.drawImage(at, tile(birds[static_cast<std::size_t>(i)], each));
    }
    return image;
}

bool write(const QString& path, const QImage& image) {
    const std::vector<std::uint8_t> bytes = encode_jpeg(image, 88);
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath("pictures")) {
        std::fprintf(stderr, "cannot make %s/pictures\n", argv[1]);
        return 1;
    }
    // A duck, a pheasant, an eagle, a hornbill, a kingfisher and a pitta.
    const QImage intro =
        grid({620, 365}, 3, 2, 10, {{101, 1}, {201, 1}, {602, 1}, {701, 1}, {801, 1}, {1001, 1}});
    // A barbet over a bulbul.
    const QImage about = grid({220, 300}, 1, 2, 10, {{901, 1}, {1101, 1}});
    if (!write(folder.filePath("pictures/intro.jpg"), intro) ||
        !write(folder.filePath("pictures/about.jpg"), about)) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }
    return 0;
}
