// Any bytes as a CUE sheet in the virtual changer's folder, beside a short
// BIN image: opening it as the changer does, naming the disc and reading
// sectors of each track must neither crash nor hang.

#include "FuzzSupport.h"
#include "platform/CdDisc.h"

#include <string>

namespace {

using namespace pemmaro;

// Two seconds of audio: long enough for two short tracks, short enough that
// sheets naming later tracks meet the image's end.
constexpr std::int32_t image_sectors = 2 * cd_sectors_per_second;
constexpr std::size_t sector_bytes = cd_frames_per_sector * 4;

const fuzz::ScratchFolder& changer_folder() {
    static const fuzz::ScratchFolder folder = [] {
        fuzz::prepare_run();
        return fuzz::ScratchFolder();
    }();
    return folder;
}

void read_tracks(CdDisc& disc) {
    static_cast<void>(disc.identity());
    std::vector<std::int16_t> samples(cd_frames_per_sector * 2 * 2);
    for (const CdTrack& track : disc.tracks()) {
        static_cast<void>(disc.track_at(track.start));
        static_cast<void>(disc.read_audio(track.start, 1, samples.data()));
        if (track.length > 1)
            static_cast<void>(disc.read_audio(track.start + track.length - 2, 2, samples.data()));
    }
    static_cast<void>(disc.read_audio(disc.end() - 1, 1, samples.data()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScratchFolder& folder = changer_folder();
    static const bool image_written = [&folder] {
        folder.write("disc.bin", std::string(image_sectors * sector_bytes, '\x11'));
        return true;
    }();
    static_cast<void>(image_written);
    folder.write("disc.cue", fuzz::text_of(data, size));
    if (const std::shared_ptr<CdDisc> disc = CdDisc::open_image(folder.path() + "disc.cue"))
        read_tracks(*disc);
    return 0;
}
