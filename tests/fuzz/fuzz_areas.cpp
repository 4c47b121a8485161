// Any bytes as a species' distribution text and as a window's stored
// "Selected Area", for the region area and the country area: a distribution
// text is read or ends in its fatal data error; a stored selection is read
// without any report; and what an area writes reads back, the way it was
// read, as the same area.
//
// The first byte chooses the area's kind; the rest is the text.

#include "FuzzSupport.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/Areas.h"

#include <cstdlib>

namespace {

using namespace pemmaro;

void check_reads_back(const ProductCapabilities& product, const TArea& area, bool report_errors) {
    const std::string written = area.ToText();
    const std::unique_ptr<TArea> again =
        create_area_from_text(product, written, report_errors, "Written");
    if (!again || again->ToText() != written)
        std::abort();
}

void read_as_distribution(const ProductCapabilities& product, std::string_view text) {
    try {
        const std::unique_ptr<TArea> area =
            create_area_from_text(product, text, true, "Pycnonotus jocosus");
        if (area)
            check_reads_back(product, *area, true);
    } catch (const fuzz::FatalStop&) {
        // A bad distribution text, reported as designed.
    }
}

void read_as_selection(const ProductCapabilities& product, std::string_view text) {
    static const fuzz::MemoryFile settings_file;
    settings_file.replace("[WINDOW 1]\r\nSelected Area=" + std::string(text) + "\r\n");
    const std::unique_ptr<TArea> area = create_area_for_product(product);
    if (!area)
        return;
    // A stored value never stops the program: a fatal report here throws
    // out of the fuzzer as a crash.
    area->CreateFromSettings(SettingsFile{settings_file.path()}, "WINDOW 1");
    const std::unique_ptr<TArea> all = create_area_for_product(product);
    all->SelectAll();
    static_cast<void>(area->Overlaps(*all));
    static_cast<void>(area->IsOnlyInHomeArea());
    check_reads_back(product, *area, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::prepare_run();
    if (size == 0)
        return 0;
    static const ProductCapabilities region = capabilities_of(106);
    static const ProductCapabilities country = capabilities_of(101);
    const ProductCapabilities& product = data[0] % 2 == 0 ? region : country;
    const std::string_view text = fuzz::text_of(data + 1, size - 1);
    read_as_distribution(product, text);
    read_as_selection(product, text);
    return 0;
}
