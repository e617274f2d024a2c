#include <Vantrel/TextUtil.h>

#include <cstdlib>
#include <cstring>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Length of the line starting at text and the number of separator
// characters after it (0 at the end of the text).
struct LineExtent {
    size_t length;
    size_t separator;
};

LineExtent FindLineEnd(const char* text, bool escaped) {
    size_t rest = std::strlen(text);
    if (escaped) {
        const char* backslash = std::strchr(text, '\\');
        if (backslash != nullptr && backslash[1] == 'n')
            return {static_cast<size_t>(backslash - text), 2};
        return {rest, 0};
    }
    size_t window = rest < kSplitLineLength ? rest : kSplitLineLength;
    const void* feed = std::memchr(text, '\n', window);
    if (feed != nullptr) return {static_cast<size_t>(static_cast<const char*>(feed) - text), 1};
    return {rest, 0};
}

}  // namespace

const char* SkipSpaces(const char* text) {
    while (IsSpace(*text)) ++text;
    return text;
}

char* SkipSpaces(char* text) {
    while (IsSpace(*text)) ++text;
    return text;
}

int TrimRight(char* buffer) {
    size_t length = std::strlen(buffer);
    int removed = 0;
    while (length > 0 && IsSpace(buffer[length - 1])) {
        buffer[--length] = '\0';
        ++removed;
    }
    return removed;
}

const char* GetToken(const char* text, char* token, size_t tokenSize, const char* delimiters) {
    text = SkipSpaces(text);
    size_t length = std::strcspn(text, delimiters);
    if (tokenSize > 0) {
        size_t kept = length < tokenSize - 1 ? length : tokenSize - 1;
        std::memcpy(token, text, kept);
        token[kept] = '\0';
        TrimRight(token);
    }
    return text + length;
}

int SplitLines(const char* text, char*** lines, bool escaped) {
    char* kept[kSplitLinesMax];
    int count = 0;
    while (*text != '\0') {
        LineExtent line = FindLineEnd(text, escaped);
        if (line.length > 0 && count < kSplitLinesMax) {
            size_t copied = line.length < kSplitLineLength ? line.length : kSplitLineLength;
            char* copy = static_cast<char*>(std::malloc(copied + 1));
            if (copy != nullptr) {
                std::memcpy(copy, text, copied);
                copy[copied] = '\0';
                kept[count++] = copy;
            }
        }
        text += line.length + line.separator;
    }
    // At least one element so that the array is never a null "success".
    auto** array = static_cast<char**>(std::malloc(sizeof(char*) * (count > 0 ? count : 1)));
    if (array == nullptr) {
        for (int i = 0; i < count; ++i) std::free(kept[i]);
        *lines = nullptr;
        return 0;
    }
    for (int i = 0; i < count; ++i) array[i] = kept[i];
    *lines = array;
    return count;
}

void FreeLines(char** lines, int count) {
    if (lines == nullptr) return;
    for (int i = 0; i < count; ++i) std::free(lines[i]);
    std::free(lines);
}
