// Reads arbitrary bytes as a list file with ReadListLine and checks what every
// line it gives must be: at most 255 characters, no line feed, not empty, not
// a comment; and that the lines together never hold more bytes than the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FuzzStream.h"
#include "lists/ListLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzStream input = StreamOfInput(data, size);
    if (!input) std::abort();
    std::FILE* stream = input.get();
    char line[256];
    std::memset(line, 0x5A, sizeof line);
    size_t total = 0;
    while (ReadListLine(stream, line)) {
        size_t length = std::strlen(line);
        if (length > 255 || length == 0) std::abort();
        if (std::memchr(line, '\n', length) != nullptr) std::abort();
        if (line[0] == '/' && line[1] == '/') std::abort();
        total += length;
        if (total > size) std::abort();
    }
    return 0;
}
