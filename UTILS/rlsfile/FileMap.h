// A map of a .sh or .shp file taken from its bytes alone: where each ray and
// each sprite record starts and ends, the family's slot table and texts, and
// the first place where the bytes stop making a well-formed file.
//
// The library's loaders say whether a file can be used and why not; they do
// not say where. This map is the file tools' own walk of the same
// layout (RLSprite.h, Rls.h), so that a report can name the byte offset at
// which a file went wrong, and so that rlsunpack can copy a family's rays out
// byte for byte. It never allocates more than the file's own size.
#ifndef RLSFILE_FILE_MAP_H
#define RLSFILE_FILE_MAP_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Rect.h>

enum class SpriteFileKind { kUnknown, kRay, kFamily };

struct RecordMap {
    int64_t offset = 0;  // of the record's 48-byte header
    int64_t size = 0;    // 48 + 4R + 4E + 6P, as announced
    int32_t runWords = 0, edgeWords = 0, points = 0;
    int16_t hotX = 0, hotY = 0;
    Rect bounds;
};

struct RayMap {
    int64_t offset = 0;              // of the ray's magic
    int64_t size = 0;                // up to the end of its last whole record
    uint16_t count = 0;              // as announced
    std::vector<RecordMap> records;  // the records that lie wholly in the file
};

struct FamilyMap {
    uint16_t slotCount = 0;
    uint16_t textCount = 0;
    std::vector<uint8_t> table;      // the slot table as stored
    std::vector<RayMap> rays;        // the distinct rays, in file order
    int64_t textsOffset = -1;        // where the texts begin
    std::vector<std::string> texts;  // unmasked, each up to its zero byte
};

struct FileMap {
    SpriteFileKind kind = SpriteFileKind::kUnknown;
    int64_t size = 0;
    RayMap ray;  // a ray file's one ray
    FamilyMap family;
    // The first fault found, empty for a well-formed file, and the byte
    // offset where the file stops making sense (-1 when not tied to one).
    std::string fault;
    int64_t faultOffset = -1;
    // What no loader refuses but deserves a word (a family's bytes after its
    // last text: a text that held the letter k, whose masked byte is the
    // zero that ends a text, was cut there when it was written).
    std::vector<std::string> notes;
    bool ok() const { return fault.empty(); }
};

// Maps the bytes of a whole file.
FileMap MapSpriteFile(const std::vector<uint8_t>& bytes);

// The number of rays a family's slot table calls for: the largest entry plus
// one (slots marked empty, kRlsHandledSlot, aside).
int RaysCalledFor(const std::vector<uint8_t>& table);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

#endif
