#include "browse/DisplayBitmaps.h"

#include "platform/Messages.h"
#include "platform/ProgramResources.h"

#include <QFile>
#include <vector>

namespace pemmaro {

namespace {

std::vector<QImage>& bitmaps() {
    static std::vector<QImage> images(display_bitmap_names.size());
    return images;
}

} // namespace

std::vector<QImage> load_bitmap_resources(std::span<const std::string_view> names) {
    ensure_program_resources();
    std::vector<QImage> images;
    for (std::string_view name : names) {
        if (name.empty()) {
            images.emplace_back();
            continue;
        }
        const QString path =
            ":/" + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        QImage image;
        if (!QFile::exists(path) || !image.load(path))
            fatal("Bitmap " + std::string(name) + " resource missing");
        images.push_back(image.convertToFormat(QImage::Format_RGB32));
    }
    return images;
}

void load_display_bitmaps() {
    bitmaps() = load_bitmap_resources(display_bitmap_names);
}

const QImage& display_bitmap(int number) {
    static const QImage none;
    const std::vector<QImage>& images = bitmaps();
    return number > 0 && static_cast<std::size_t>(number) < images.size()
               ? images[static_cast<std::size_t>(number)]
               : none;
}

BitmapSizes display_bitmap_sizes() {
    BitmapSizes sizes{};
    for (std::size_t number = 1; number < sizes.size(); ++number) {
        const QImage& image = display_bitmap(static_cast<int>(number));
        sizes[number] = {image.width(), image.height()};
    }
    return sizes;
}

} // namespace pemmaro
