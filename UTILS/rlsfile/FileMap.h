// A map of a .sh or .shp file taken from its bytes alone: where each ray and
// each sprite record starts and ends, the family's slot table and texts, and
// the first place where the bytes stop making a well-formed file.
//
// The library's loaders say whether a file can be used, why not and at which
// byte; they stop at the first fault and keep no account of where each part
// lies. This map is the file tools' walk of the layout (docs/file-formats.md)
// that keeps that account, so that a report can show every record, name the
// bytes the loaders do not refuse but no tool writes (bytes after the end, a
// slot table out of order) and so that rlsunpack can copy a family's rays out
// byte for byte. Each record header is decoded and checked by the library
// (RLSpriteHeader.h); the map only words the check's findings. It never
// allocates more than the file's own size.
#ifndef RLSFILE_FILE_MAP_H
#define RLSFILE_FILE_MAP_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/RLSpriteHeader.h>

enum class SpriteFileKind { kUnknown, kRay, kFamily };

struct RecordMap {
    int64_t offset = 0;  // of the record's header
    int64_t size = 0;    // the whole record, as its header announces
    RLSpriteHeader header;
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
