// The escaping of echoed texts and answers.
#include "shell/core/EscapedText.h"

#include <cstdio>

std::string EscapeText(const char* text) {
    std::string out;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        if (*c == '\\') {
            out += "\\\\";
        } else if (*c == '\n') {
            out += "\\n";
        } else if (*c == '\r') {
            out += "\\r";
        } else if (*c < 0x20 || *c == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", *c);
            out += hex;
        } else {
            out += static_cast<char>(*c);
        }
    }
    return out;
}

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool UnescapeText(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'x': {
                if (i + 2 >= text.size()) return false;
                int high = HexValue(text[i + 1]);
                int low = HexValue(text[i + 2]);
                if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                return false;
        }
    }
    return true;
}
