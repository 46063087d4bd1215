// TGA reading speed of a sprite-sheet-sized image (512 x 256, 32 bits): plain pixels against run-length
// packets of the worst kind (one-pixel raw packets) and of a friendly kind (long runs), side by side.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvel/tga.h"
#include "platform/dialog.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

std::string write_file(const char* name, uint8_t type, const std::vector<uint8_t>& data) {
    const std::string path = "/tmp/corvel-bench-" + std::to_string(getpid()) + "-" + name;
    std::vector<uint8_t> file = {
        0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, kWidth & 0xFF, kWidth >> 8, kHeight & 0xFF, kHeight >> 8, 32, 0};
    file.insert(file.end(), data.begin(), data.end());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return path;
}

std::vector<uint8_t> packets(bool runs) {
    std::vector<uint8_t> data;
    for (int pixel = 0; pixel < kWidth * kHeight; pixel += runs ? 128 : 1) {
        data.push_back(runs ? 0xFF : 0x00);
        for (int byte = 0; byte < 4; ++byte) data.push_back(static_cast<uint8_t>(pixel + byte));
    }
    return data;
}

void read_repeatedly(benchmark::State& state, const std::string& path) {
    platform::set_message_box_handler([](const std::string&, const std::string&, uint32_t) { return 1; });
    for (auto _ : state) {
        corvel::TGATEXTURE image = {};
        if (!corvel::LOADTGA(image, path.c_str())) state.SkipWithError("refused");
        benchmark::DoNotOptimize(image.IMAGEDATA);
        std::free(image.IMAGEDATA);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    std::remove(path.c_str());
}

void Plain(benchmark::State& state) {
    read_repeatedly(state, write_file("plain.tga", 2, std::vector<uint8_t>(kWidth * kHeight * 4, 7)));
}

void RleOnePixelRawPackets(benchmark::State& state) {
    read_repeatedly(state, write_file("raw.tga", 10, packets(false)));
}

void RleLongRuns(benchmark::State& state) {
    read_repeatedly(state, write_file("runs.tga", 10, packets(true)));
}

BENCHMARK(Plain);
BENCHMARK(RleOnePixelRawPackets);
BENCHMARK(RleLongRuns);

}  // namespace
