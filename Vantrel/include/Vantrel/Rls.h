// Rays and families: the .sh and .shp files, and their classic loaders.
//
// RlsRay: an ordered array of sprites, for a ship its 16 rotation frames.
// RlsFamily: rays of related ships in numbered slots, with a few lines of
// text. Their file layouts are described in docs/file-formats.md (".sh: a ray
// of sprites", ".shp: a family of rays"). A ray may be read from a stream
// positioned inside a larger file and leaves it right after its last record.
//
// Loaders and writers take a path and an optional open stream: with a stream
// they work at its position and leave it open; without one they open and
// close the file themselves. A non-zero pitch binds every sprite for a surface
// of that many pixels per row. Every failure ends through ReportFatal
// (Fatal.h) with "LoadRlsRay: ...", "StoreRlsRay: ...", "RlsFamilyLoad: ..."
// or "RlsFamily: ..." (or the sprite record's own texts); the loaders' texts
// are listed in docs/file-formats.md, "What the loaders refuse". Before a
// loader reports it has released everything it built and closed a file it
// opened, and a failed load changes no process-wide state: the sprites are
// bound (and spritePitch set) only once the whole ray or family has loaded.
// Loaders check counts against the bytes left before they allocate; from a
// stream that cannot tell its size (a pipe) they gather the data as it
// arrives and refuse what a file would have refused, with the same text.
// The safe face's TryLoadRay and TryLoadFamily (TryLoad.h) read the same
// files with the same decoders and return the failure instead.
// LoadRlsRay, StoreRlsRay and RlsFamilyLoad may run on several threads at
// once, each on its own files and objects (see RLSprite.h).
#ifndef VANTREL_RLS_H
#define VANTREL_RLS_H

#include <cstdint>
#include <cstdio>
#include <memory>

#include "RLSprite.h"
#include "dynarray.h"
#include "dynlist.h"

constexpr uint16_t kRlsRayMagic = 0xAE01;
constexpr uint16_t kRlsFamilyMagic = 0xAE02;
constexpr uint8_t kRlsTextMask = 0x6B;
constexpr int kRlsFamilyMaxSlots = 52;
constexpr int kRlsFamilyMaxTextLength = 1023;
// A table entry that marks a slot as already handled; never a ray number.
constexpr uint8_t kRlsHandledSlot = 123;

class RlsRay {
public:
    // count entries, all null. If the array cannot be allocated, sprites is
    // null (LoadRlsRay reports that).
    explicit RlsRay(int32_t count);
    // Frees every sprite (FreeRLSprite accepts null) and the array.
    ~RlsRay();
    RlsRay(const RlsRay&) = delete;
    RlsRay& operator=(const RlsRay&) = delete;

    // The sprite at index; null outside 0..count - 1.
    RLSprite* Get(int32_t index) const {
        return sprites != nullptr && index >= 0 && index < count ? sprites[index] : nullptr;
    }
    // Stores sprite at index (the ray then owns it); ignored outside the range.
    void Set(int32_t index, RLSprite* sprite);

    int32_t count = 0;
    RLSprite** sprites = nullptr;
};

RlsRay* LoadRlsRay(const char* path, int32_t pitch = 0, std::FILE* stream = nullptr);
// Writes magic, count and every record. A ray of more than 65535 sprites, or
// with an empty entry, cannot be stored and is reported.
void StoreRlsRay(const RlsRay* ray, const char* path, std::FILE* stream = nullptr);

class RlsFamily {
public:
    RlsFamily() : texts(8), rays(16) {}
    // Deletes every distinct ray once and frees every text.
    ~RlsFamily();
    RlsFamily(const RlsFamily&) = delete;
    RlsFamily& operator=(const RlsFamily&) = delete;

    // The ray of slot k; null for an empty slot (table entry 123) and
    // outside 0..slotCount - 1.
    RlsRay* Slot(int32_t k) const { return k >= 0 && k < slotCount ? rays.Get(k) : nullptr; }

    DynList<char*> texts;  // unmasked, zero-terminated, tracked copies
    // Entry k: the ray of slot k; shared rays repeat. Its Size() is at least
    // 16 whatever the file holds: the entries from slotCount on are null.
    DynArray<RlsRay*> rays;
    // The file's slot count (6 for every family dessamor writes), 0..52.
    int32_t slotCount = 0;
};

RlsFamily* RlsFamilyLoad(const char* path, int32_t pitch = 0, std::FILE* stream = nullptr);

using RlsRayPtr = std::unique_ptr<RlsRay>;
using RlsFamilyPtr = std::unique_ptr<RlsFamily>;

#endif
