#include "conversion/ConversionFatal.h"

#include <cstdio>
#include <string>

#include <Vantrel/Fatal.h>

void FatalWithPath(const char* format, const char* path) {
    const int length = std::snprintf(nullptr, 0, format, path);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::snprintf(text.data(), text.size() + 1, format, path);
    ReportFatal(text.c_str());
}
