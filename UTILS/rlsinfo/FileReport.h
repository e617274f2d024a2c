// What rlsinfo finds out about one file: its kind, every ray and sprite with
// the figures the report shows, and whether it is valid, with the reason and
// the byte offset where it went wrong.
//
// Validity is decided by the library itself: the file's bytes are loaded with
// the safe face's TryLoadRay or TryLoadFamily, which check every sprite
// (FindRLSpriteFault) and hand back a refusal as the classic loader's text
// and the offset at fault, so no exception is thrown on the way. The file
// tools' own walk of the bytes (FileMap.h) adds where each record lies, and
// what the library does not refuse but no tool writes (bytes after the end,
// rays out of order in the slot table, a text count the file does not hold).
#ifndef RLSINFO_FILE_REPORT_H
#define RLSINFO_FILE_REPORT_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Rect.h>

#include "FileMap.h"

struct SpriteReport {
    int index = 0;
    int64_t offset = 0;  // of its record in the file
    int64_t bytes = 0;   // record size
    int32_t width = 0, height = 0;
    int16_t hotX = 0, hotY = 0;
    Rect bounds;
    int32_t runs = -1;  // -1: not counted (the sprite did not load)
    int64_t runPixels = -1;
    int32_t edgeRecords = 0;
    int32_t points = 0;
};

struct RayReport {
    int64_t offset = 0;
    int64_t bytes = 0;
    int32_t count = 0;  // as announced by the ray header
    std::vector<SpriteReport> sprites;
};

struct FileReport {
    std::string path;
    SpriteFileKind kind = SpriteFileKind::kUnknown;
    int64_t bytes = 0;
    RayReport ray;                // a ray file
    std::vector<int> slots;       // a family: slot k uses ray slots[k] (-1: empty)
    std::vector<RayReport> rays;  // a family's distinct rays
    std::vector<std::string> texts;
    int32_t textCount = 0;           // as announced
    std::vector<std::string> notes;  // findings that do not make it invalid
    bool valid = false;
    std::string reason;   // the library's text, or the walk's own finding
    std::string detail;   // where and what, when the walk could tell
    int64_t offset = -1;  // -1: not tied to one byte
};

FileReport ReportOnFile(const std::string& path);

#endif
