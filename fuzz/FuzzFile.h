// Fuzz input as a file: the readers under test take paths and streams, so each
// input is written to one scratch file of the process, rewritten every run.
#ifndef FUZZ_FUZZ_FILE_H
#define FUZZ_FUZZ_FILE_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

// Writes the bytes to the process's scratch file and returns its path; the
// file is removed when the process ends.
inline const std::string& WriteFuzzFile(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        // A memory file system where there is one: rewriting a file on disk
        // thousands of times a second makes the disk, not the reader, the
        // bottleneck.
        std::error_code error;
        std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
        unsigned long long unique =
            std::random_device{}() ^
            static_cast<unsigned long long>(
                std::chrono::steady_clock::now().time_since_epoch().count());
        std::filesystem::path p = folder / ("vantrel-fuzz-" + std::to_string(unique) + ".tga");
        std::atexit([] { std::remove(path.c_str()); });
        return p.string();
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
    return path;
}

#endif
