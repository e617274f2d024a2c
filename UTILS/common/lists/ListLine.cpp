#include "lists/ListLine.h"

namespace {

constexpr int kLineCapacity = 255;

// One raw line as a text-mode read of at most 255 characters gives it: the
// line feed included when it fits. Returns the length, or -1 at the end.
int ReadRawLine(std::FILE* stream, char* line) {
    int length = 0;
    while (length < kLineCapacity) {
        int c = std::getc(stream);
        if (c == EOF) break;
        if (c == '\r') {
            int next = std::getc(stream);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, stream);
            }
        }
        line[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    line[length] = '\0';
    return length == 0 ? -1 : length;
}

}  // namespace

bool ReadListLine(std::FILE* stream, char* line, ListLinePlace& place) {
    for (;;) {
        const bool piece = place.insideLine;
        const int number = piece ? place.nextLineNumber - 1 : place.nextLineNumber;
        int length = ReadRawLine(stream, line);
        if (length < 0) return false;
        const bool ended = line[length - 1] == '\n';
        // A raw line of full length stops inside its line; one that ran into
        // the end of the stream ends it.
        place.insideLine = !ended && length == kLineCapacity;
        if (!piece) ++place.nextLineNumber;
        if (line[0] == '\n' || line[0] == '\0') continue;
        if (line[0] == '/' && line[1] == '/') continue;
        if (ended) line[length - 1] = '\0';
        place.lineNumber = number;
        place.piece = piece;
        return true;
    }
}

bool ReadListLine(std::FILE* stream, char* line) {
    ListLinePlace place;
    return ReadListLine(stream, line, place);
}
