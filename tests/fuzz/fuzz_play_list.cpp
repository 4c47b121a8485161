// Any bytes as a play list file, loaded against the sample disc: it loads or
// is refused with its message, never a crash; and a list that loads, saved as
// text and loaded again, gives the same text.

#include "FuzzSupport.h"
#include "data/DataSet.h"
#include "sound/PlayListFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pemmaro;
    fuzz::SampleDisc& disc = fuzz::sample_disc();
    static const fuzz::MemoryFile file;
    file.replace(fuzz::text_of(data, size));
    const std::optional<PlayListContent> loaded =
        load_play_list(file.path(), *disc.data, disc.context);
    if (!loaded)
        return 0;
    const std::string text = play_list_file_text(*loaded, disc.context.product);
    file.replace(text);
    const std::optional<PlayListContent> again =
        load_play_list(file.path(), *disc.data, disc.context);
    if (!again || play_list_file_text(*again, disc.context.product) != text)
        std::abort();
    return 0;
}
