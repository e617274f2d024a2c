// Rays and families: the .sh and .shp files.
//
// RlsRay: an ordered array of sprites, for a ship its 16 rotation frames. The
// .sh file is the magic 0xAE01 (bytes 01 AE), a 16-bit sprite count n, then n
// sprite records (RLSprite.h) back to back. A ray may be read from a stream
// positioned inside a larger file and leaves it right after its last record.
//
// RlsFamily: rays of related ships with a few lines of text. The .shp file is
// the magic 0xAE02 (bytes 02 AE), a 16-bit slot count S (at most 52), a 16-bit
// text count T, S table bytes (entry k = number of the ray in slot k, rays
// numbered in order of first appearance; an entry of 123 leaves its slot
// empty), the distinct rays as complete .sh streams, then T texts, each its
// bytes XORed with 0x6B and ended by one unmasked zero byte (the end of the
// file ends the last text as well). A text holds at most 1023 characters.
//
// Loaders and writers take a path and an optional open stream: with a stream
// they work at its position and leave it open; without one they open and
// close the file themselves. A non-zero pitch binds every sprite for a surface
// of that many pixels per row. Every failure ends through ReportFatal with
// "LoadRlsRay: ...", "StoreRlsRay: ...", "RlsFamilyLoad: ..." or
// "RlsFamily: ..." (or the sprite record's own texts). Loaders check counts
// against the bytes left before they allocate and release what they built
// when a report unwinds (as the test programs' ReportFatal does).
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

    DynList<char*> texts;    // unmasked, zero-terminated, tracked copies
    DynArray<RlsRay*> rays;  // entry k: the ray of slot k; shared rays repeat
};

RlsFamily* RlsFamilyLoad(const char* path, int32_t pitch = 0, std::FILE* stream = nullptr);

using RlsRayPtr = std::unique_ptr<RlsRay>;
using RlsFamilyPtr = std::unique_ptr<RlsFamily>;

#endif
