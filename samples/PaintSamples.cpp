// paintsamples FOLDER: paints the sample art set into FOLDER (created when
// missing) and prints the name of every file it wrote.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "SampleSet.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paintsamples FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::vector<std::string> written;
    std::string error;
    if (!PaintSampleSet(folder, written, error)) {
        std::fprintf(stderr, "paintsamples: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& name : written) std::printf("%s/%s\n", folder.c_str(), name.c_str());
    return 0;
}
