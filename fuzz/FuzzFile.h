// Fuzz input as a file: the readers under test take paths and streams, so each
// input is written to a scratch file of the process for the length of one run
// (libFuzzer may end the process without running exit handlers, so the file
// does not wait for the process's end to go).
#ifndef FUZZ_FUZZ_FILE_H
#define FUZZ_FUZZ_FILE_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

class FuzzFile {
public:
    FuzzFile(const uint8_t* data, size_t size) {
        std::FILE* file = std::fopen(Path().c_str(), "wb");
        if (file == nullptr) std::abort();
        if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
        if (std::fclose(file) != 0) std::abort();
    }
    ~FuzzFile() { std::remove(Path().c_str()); }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    const std::string& Path() const {
        static const std::string path = [] {
            // A memory file system where there is one: rewriting a file on
            // disk thousands of times a second makes the disk, not the
            // reader, the bottleneck.
            std::error_code error;
            std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
            unsigned long long unique =
                std::random_device{}() ^
                static_cast<unsigned long long>(
                    std::chrono::steady_clock::now().time_since_epoch().count());
            return (folder / ("vantrel-fuzz-" + std::to_string(unique) + ".tga")).string();
        }();
        return path;
    }
};

#endif
