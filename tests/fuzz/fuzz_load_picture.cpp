// Any bytes as a picture file (plain, run-length-encoded or compressed
// bitmap): loading, converting and drawing must neither crash nor hang.

#include "FuzzSupport.h"
#include "data/CompressedFormat.h"
#include "maps_pictures/PictureFiles.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Pictures that pass the size checks but are large only cost time zeroing and
// converting the block; the sizes refused above the limits are cheap and stay in.
bool large_but_accepted(const std::uint8_t* data, std::size_t size) {
    const pemmaro::CompressedHeader packed =
        pemmaro::read_compressed_header(std::span<const std::uint8_t>(data, size));
    if (packed.error == pemmaro::compression_ok)
        return packed.uncompressed_size > (1u << 22) &&
               packed.uncompressed_size <= pemmaro::compressed_size_limit;
    if (size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const pemmaro::GlobalDib header{std::vector<std::uint8_t>(data + 14, data + 54)};
    const std::int64_t height = header.height();
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(header.width()) * static_cast<std::uint64_t>(std::abs(height));
    const std::uint64_t bytes = pixels * static_cast<std::uint64_t>(header.bits_per_pixel()) / 8;
    return header.width() > 0 && pixels > (1u << 20) && bytes <= (1u << 30);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pemmaro::fuzz::prepare_run();
    static const pemmaro::fuzz::MemoryFile file;
    if (large_but_accepted(data, size))
        return 0;
    file.replace(pemmaro::fuzz::text_of(data, size));
    const pemmaro::PictureLoad load = pemmaro::LoadPictureFile(file.path(), false);
    if (load.status != pemmaro::PictureStatus::loaded || !load.dib)
        return 0;
    static_cast<void>(pemmaro::dib_to_image(*load.dib));
    // Drawing ignores the compression field, so it reads blocks the
    // conversion above refuses.
    QImage canvas(8, 8, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    pemmaro::DrawDib(painter, 0, 0, true, &*load.dib, 8, 8);
    return 0;
}
