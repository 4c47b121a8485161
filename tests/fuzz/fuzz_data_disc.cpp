// Any bytes as the ten data files of a disc: loading must end in a data set or
// in a fatal data error with its message, never in a crash or a hang; a data
// set that loads must also build the display with every family unfolded.
//
// The input holds the files in loading order, separated by the byte 0x1E; a
// file the input does not reach is missing from the disc. Data files are text,
// so the separator costs the fuzzer nothing it needs.

#include "FixedWidthMeasurer.h"
#include "FuzzSupport.h"
#include "TestSupport.h"
#include "browse/DisplayLines.h"
#include "common/LanguageTexts.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "data/VisibleSpecies.h"

#include <array>
#include <numeric>

namespace {

using namespace pemmaro;

constexpr std::array<const char*, 10> file_names = {
    "mapsdata.txt", "people.txt",     "names_sc.txt", "taxa.txt",     "locality.txt",
    "big_pict.txt", "othermedia.txt", "cutparts.txt", "cupaitem.txt", "syst_ord.txt"};
constexpr char file_separator = '\x1e';

struct Disc {
    fuzz::ScratchFolder folder;
    test::TestContext context;
};

Disc& disc() {
    static const std::unique_ptr<Disc> made = [] {
        fuzz::prepare_run();
        auto disc = std::make_unique<Disc>();
        const std::string sample = std::string(PEMMARO_SAMPLE_DISC_DIR) + "/";
        disc->context.texts = Ttextfile_handler(test::read_file(sample + "Pemmaro.txt"));
        disc->context.common.startup_directory = disc->folder.path();
        disc->context.common.program_directory = disc->folder.path();
        disc->context.settings.path = disc->folder.path() + "Pemmaro.ini";
        return disc;
    }();
    return *made;
}

void write_files(const Disc& target, std::string_view input) {
    for (const char* name : file_names) {
        if (input.data() == nullptr) {
            target.folder.remove(name);
            continue;
        }
        const std::size_t end = std::min(input.find(file_separator), input.size());
        target.folder.write(name, input.substr(0, end));
        input = end < input.size() ? input.substr(end + 1) : std::string_view();
    }
}

void build_display(const Tdata& data, const CoreContext& context) {
    static const test::FixedWidthMeasurer measurer;
    SHST_TShowStringsData options(data, context);
    options.visible = TVisibleSpeciesAndRecordings::CreateFromSettings(data, context, "WINDOW 1");
    TShowStrings display(TShowStrings::Environment{&data, &context, &measurer, {}, {}, nullptr});
    display.build_from_options(options);
    std::vector<int> families(static_cast<std::size_t>(data.family_count[1]));
    std::iota(families.begin(), families.end(), 1);
    display.unfold_families(families);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    Disc& target = disc();
    // An empty input still names the first file: an empty one.
    write_files(target, size == 0 ? std::string_view("", 0) : fuzz::text_of(bytes, size));
    const bool has_orders = size > 0 && std::count(bytes, bytes + size, file_separator) >= 9;
    target.context.product.has_systematic_order_file = has_orders;
    try {
        const std::unique_ptr<Tdata> data = load_data(target.context);
        static_cast<void>(data_set_counts(*data));
        build_display(*data, target.context);
    } catch (const fuzz::FatalStop&) {
        // A data error, reported as designed.
    }
    return 0;
}
