// Any bytes as the language text file: parsing it and reading texts by section
// and number, as the windows do, must neither crash nor hang.

#include "FuzzSupport.h"
#include "common/LanguageTexts.h"

#include <array>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pemmaro;
    const Ttextfile_handler texts(fuzz::text_of(data, size));
    if (texts.status() != Ttextfile_handler::Status::ok)
        return 0;
    constexpr std::array<std::string_view, 4> sections = {"KZ_DATA", "KZ_SHSTR", "OUT_OF_MEMORY",
                                                          "MAIN_MENU"};
    for (std::string_view section : sections) {
        const int count = texts.line_count(section);
        for (int n = -1; n <= count + 1; ++n)
            static_cast<void>(texts.text(section, n));
        static_cast<void>(texts.texts(section, count + 1, 20, 5));
        static_cast<void>(texts.texts(section, 3));
    }
    static_cast<void>(texts.out_of_memory_text());
    return 0;
}
