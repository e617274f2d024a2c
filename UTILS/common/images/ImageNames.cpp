#include "images/ImageNames.h"

bool HasPngName(const std::string& path) {
    if (path.size() < 4) return false;
    const char* end = path.c_str() + path.size() - 4;
    return end[0] == '.' && (end[1] | 0x20) == 'p' && (end[2] | 0x20) == 'n' &&
           (end[3] | 0x20) == 'g';
}
