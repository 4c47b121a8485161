// Any bytes as a JPEG picture: libjpeg's errors must come back as an error
// text, never as an exit or a crash.

#include "maps_pictures/PictureFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pemmaro::JpegPicture picture = pemmaro::decode_jpeg(data, size);
    // An image always comes with an empty error text, and no image with one.
    if (picture.image.isNull() == picture.error.empty())
        std::abort();
    return 0;
}
