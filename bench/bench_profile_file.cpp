#include "platform/ProfileFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

// About 300 lines in 12 sections, like a settings file after some years of use.
std::string settings_text() {
    std::string text = "; settings\r\n";
    for (int section = 0; section < 12; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 24; ++key)
            text += "Key" + std::to_string(key) + " = \"value " + std::to_string(section * key) +
                    "\"\r\n";
        text += "\r\n";
    }
    return text;
}

void BM_ProfileStringFromDisk(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/settings.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << settings_text();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(pemmaro::profile_string(path, "section11", "key23", "none", 255));
}
BENCHMARK(BM_ProfileStringFromDisk);

void BM_ParseDocumentInMemory(benchmark::State& state) {
    const std::string text = settings_text();
    for (auto _ : state) {
        pemmaro::ProfileDocument document(text);
        benchmark::DoNotOptimize(document.value("Section11", "Key23"));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseDocumentInMemory);

} // namespace
