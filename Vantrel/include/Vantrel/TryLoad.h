// Loading that never ends the process: the safe face's loaders (namespace
// vantrel).
//
// Each loader reads a ray (.sh), a family (.shp) or one sprite record from a
// path, from bytes in memory or from the program's own reader
// (ReadCallbacks, ByteIO.h: an archive entry, a decompressor), and returns
// what it loaded, or null and a filled LoadError. It never calls ReportFatal
// and never ends the process, whatever the bytes hold. The three forms read
// with the same decoders as the classic LoadRlsRay, RlsFamilyLoad and
// LoadRLSprite: they accept exactly the same bytes and refuse the others with
// the same text and offset, and the text is the one the classic loader would
// hand to ReportFatal (the list is in docs/file-formats.md, "What the loaders
// refuse").
//
// A failed load leaves nothing behind: whatever was built is released, no
// file stays open, and no process-wide state changes (spritePitch, the
// tracked allocator's live blocks, the debug log). Sprites are bound to a
// non-zero pitch only once the whole ray or family has loaded; pitch 0 leaves
// them unbound, as stored.
//
// Counts are checked against the bytes left before anything is allocated.
// The size of a reader's data is never known: its bytes are gathered in
// pieces that at most double what has arrived, so a lying count costs no more
// memory than the data that is really there. When such a load fails, the
// loader may pass over up to about 3 MiB more of the reader's data (skip, or
// read, see ReadCallbacks) to tell whether a file of known size would have
// been refused earlier, and so to give the same text. The reader is not
// called again once its read has said the data ended.
//
// Every loader may run on several threads at once, each with its own source
// and LoadError (see RLSprite.h on handing loaded sprites to a drawing
// thread).
#ifndef VANTREL_TRY_LOAD_H
#define VANTREL_TRY_LOAD_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "ByteIO.h"
#include "RLSprite.h"
#include "Rls.h"

namespace vantrel {

using ::ReadCallbacks;
using ::RlsFamilyPtr;
using ::RLSpritePtr;
using ::RlsRayPtr;

struct LoadError {
    // The text the classic loader gives ReportFatal, unchanged; empty after
    // a load that succeeded.
    std::string message;
    // The file; empty for bytes in memory and for a reader.
    std::string path;
    // The byte where the fault was found, counted from the first byte of the
    // file, the memory or the reader: the start of the field or record at
    // fault (the magic, a count, the record whose data is refused, the text
    // that is too long). -1 where the fault is tied to no byte: a file that
    // cannot be opened, memory that runs out, a negative pitch.
    int64_t offset = -1;
};

// Null and a filled error instead of ReportFatal; never ends the process.
// Every call first empties error (a success leaves it empty).
RlsRayPtr TryLoadRay(const char* path, int32_t pitch, LoadError& error);
RlsRayPtr TryLoadRay(const void* bytes, size_t size, int32_t pitch, LoadError& error);
RlsRayPtr TryLoadRay(const ReadCallbacks& reader, void* user, int32_t pitch, LoadError& error);

// A family: Slot(k) for k below slotCount gives the ray of each slot.
RlsFamilyPtr TryLoadFamily(const char* path, int32_t pitch, LoadError& error);
RlsFamilyPtr TryLoadFamily(const void* bytes, size_t size, int32_t pitch, LoadError& error);
RlsFamilyPtr TryLoadFamily(const ReadCallbacks& reader, void* user, int32_t pitch,
                           LoadError& error);

// One sprite record (a .sh file holds them after its 4-byte header).
RLSpritePtr TryLoadSprite(const char* path, int32_t pitch, LoadError& error);
RLSpritePtr TryLoadSprite(const void* bytes, size_t size, int32_t pitch, LoadError& error);
RLSpritePtr TryLoadSprite(const ReadCallbacks& reader, void* user, int32_t pitch, LoadError& error);

}  // namespace vantrel

#endif
