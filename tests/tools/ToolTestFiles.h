// Files for the in-process tool tests: a fresh temporary folder per test
// (removed with everything in it afterwards) and whole-file helpers.
#ifndef TESTS_TOOLS_TOOL_TEST_FILES_H
#define TESTS_TOOLS_TOOL_TEST_FILES_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "ToolShell.h"

class TempFolder {
public:
    TempFolder() {
        // A new folder under a random name (portable stand-in for mkdtemp).
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path candidate = base / ("tooltest-" + std::to_string(seed()));
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // A path inside the folder written as the tools write paths: every '/' in
    // name becomes the platform's separator.
    std::string operator/(std::string name) const {
        for (char& c : name) {
            if (c == '/') c = kPathSeparator;
        }
        return path_ + kPathSeparator + name;
    }

private:
    std::string path_;
};

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

#endif
