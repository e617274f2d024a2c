// TGA reading speed: the library reader and the tools' reader against
// stb_image (stbi_load to 3 channels) and against one fread of the same bytes
// (the limit), on 24- and 32-bit bottom-up files of 64, 256 and 1024 pixels
// square that sit in the page cache. Every variant opens, reads and closes
// the file and frees its image in each iteration.
#include <benchmark/benchmark.h>
#include <stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "images/ToolTga.h"
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Tga.h>

namespace {

// The benchmark files, written once into a scratch folder.
class BenchFiles {
public:
    BenchFiles() {
        folder_ = std::filesystem::temp_directory_path() / "vantrel-bench-tga";
        std::filesystem::create_directories(folder_);
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::string& Path(int depth, int size) {
        auto key = std::make_pair(depth, size);
        auto found = paths_.find(key);
        if (found != paths_.end()) return found->second;
        std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int v : {size, size}) {
            bytes.push_back(static_cast<uint8_t>(v));
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        }
        bytes.push_back(static_cast<uint8_t>(depth));
        bytes.push_back(0);  // bottom row first, as most painting programs write
        uint32_t state = 12345;
        size_t pixelBytes = static_cast<size_t>(size) * size * (depth / 8);
        for (size_t i = 0; i < pixelBytes; ++i) {
            state = state * 1103515245u + 12345u;
            bytes.push_back(static_cast<uint8_t>(state >> 16));
        }
        std::string path =
            (folder_ / ("image" + std::to_string(depth) + "_" + std::to_string(size) + ".tga"))
                .string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return paths_.emplace(key, path).first->second;
    }

private:
    std::filesystem::path folder_;
    std::map<std::pair<int, int>, std::string> paths_;
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

int Depth(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}
int Size(const benchmark::State& state) {
    return static_cast<int>(state.range(1));
}

void CountBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Size(state) * Size(state) *
                            (Depth(state) / 8));
}

void BM_ReadTgaRgb(benchmark::State& state) {
    const std::string& path = Files().Path(Depth(state), Size(state));
    for (auto _ : state) {
        int32_t width = 0, height = 0;
        uint8_t* image = ReadTgaRgb(path.c_str(), nullptr, width, height);
        if (image == nullptr) state.SkipWithError("ReadTgaRgb failed");
        benchmark::DoNotOptimize(image);
        DebugFree(image);
    }
    CountBytes(state);
}

void BM_ReadToolTga(benchmark::State& state) {
    const std::string& path = Files().Path(Depth(state), Size(state));
    for (auto _ : state) {
        uint8_t* image = ReadToolTga(path.c_str(), 0);
        if (image == nullptr) state.SkipWithError("ReadToolTga failed");
        benchmark::DoNotOptimize(image);
        // The next read frees it, as in the tools; freed here to match the others.
        ResetToolTga();
    }
    CountBytes(state);
}

void BM_StbLoad(benchmark::State& state) {
    const std::string& path = Files().Path(Depth(state), Size(state));
    for (auto _ : state) {
        int width = 0, height = 0, channels = 0;
        stbi_uc* image = stbi_load(path.c_str(), &width, &height, &channels, 3);
        if (image == nullptr) state.SkipWithError("stbi_load failed");
        benchmark::DoNotOptimize(image);
        stbi_image_free(image);
    }
    CountBytes(state);
}

void BM_Fread(benchmark::State& state) {
    const std::string& path = Files().Path(Depth(state), Size(state));
    const size_t fileBytes =
        18 + static_cast<size_t>(Size(state)) * Size(state) * (Depth(state) / 8);
    for (auto _ : state) {
        auto* buffer = static_cast<uint8_t*>(std::malloc(fileBytes));
        std::FILE* file = std::fopen(path.c_str(), "rb");
        size_t got = std::fread(buffer, 1, fileBytes, file);
        std::fclose(file);
        if (got != fileBytes) state.SkipWithError("short fread");
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
    CountBytes(state);
}

void Shapes(benchmark::internal::Benchmark* b) {
    for (int depth : {24, 32}) {
        for (int size : {64, 256, 1024}) b->Args({depth, size});
    }
    b->ArgNames({"depth", "size"});
}

BENCHMARK(BM_ReadTgaRgb)->Apply(Shapes);
BENCHMARK(BM_ReadToolTga)->Apply(Shapes);
BENCHMARK(BM_StbLoad)->Apply(Shapes);
BENCHMARK(BM_Fread)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
