// pemmaro_compress [--version-text TEXT] INPUT OUTPUT

#include "TamrekCompressor.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fprintf(stderr, "usage: pemmaro_compress [--version-text TEXT] INPUT OUTPUT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string version_text = "1";
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--version-text") {
            if (++i >= argc)
                return usage();
            version_text = argv[i];
        } else if (argument.starts_with("--")) {
            return usage();
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2)
        return usage();

    std::ifstream in(files[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pemmaro_compress: cannot read %s\n", files[0].c_str());
        return 1;
    }
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    if (in.bad()) {
        std::fprintf(stderr, "pemmaro_compress: read error in %s\n", files[0].c_str());
        return 1;
    }
    try {
        const std::vector<std::uint8_t> file =
            pemmaro::tamrek_compress_with_version_text(data, version_text);
        std::ofstream out(files[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "pemmaro_compress: cannot write %s\n", files[1].c_str());
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pemmaro_compress: %s\n", error.what());
        return 1;
    }
    return 0;
}
