// RLSprite records in files, and binding a sprite to a surface pitch. The
// sprite itself and its word layouts are described in RLSpriteData.h.
//
// A record is a 48-byte header (RLSpriteHeader.h decodes and checks it)
// followed by the run data, the edge data and the points; its layout is
// described in docs/file-formats.md, "The sprite record". A record carries no
// magic and no length: the reader must know that one starts where it reads.
//
// Failures go to ReportFatal (Fatal.h) with the texts "StoreRLSprite: ...",
// "LoadRLSprite: ..." (listed in docs/file-formats.md, "What the loaders
// refuse"). The loader checks the counts against the bytes left in the file
// before it allocates, and refuses a record whose data a drawing routine
// could not trust (see FindRLSpriteFault); it never reads or writes outside
// its buffers, whatever the file holds, and releases what it built before it
// reports. The safe face's TryLoadSprite (TryLoad.h) reads records with the
// same decoder and returns the failure instead.
//
// Threads: LoadRLSprite, StoreRLSprite, BindRLSprite, IndexRLSprite and
// FreeRLSprite may run on several threads at once, each on its own sprites and
// streams (a game loads on worker threads while it draws). They read PixelMode,
// which the program selects before it starts the workers, and take buffers
// from the tracked allocator, which is locked. A sprite may be drawn once the
// thread that loaded or bound it has handed it over (joined, or through a
// queue or lock); ReportFatal is then called on the thread that failed.
#ifndef VANTREL_RLSPRITE_H
#define VANTREL_RLSPRITE_H

#include <cstdint>
#include <cstdio>
#include <memory>

#include "Pixel.h"
#include "RLSpriteCheck.h"
#include "RLSpriteData.h"
#include "RLSpriteHeader.h"
#include "Rect.h"
#include "ScreenGeometry.h"

// spritePitch (ScreenGeometry.h), the pitch in pixels of the most recent
// binding, starts at the screen width; this puts it back there (for tests).
void ResetSpritePitch();

// Places a sprite encoded from the image rectangle `rectangle` so that the
// image point (cx, cy) becomes its hot spot: hotSpot = (cx - left, cy - top),
// bounds = rectangle minus (cx, cy), no points. A hot spot that 16 bits cannot
// hold ends through ReportFatal with "Hot spot too far %ld\n" (the larger
// distance), as the record could not keep it.
void AnchorRLSprite(RLSprite& sprite, const Rect& rectangle, int32_t cx, int32_t cy);

// Writes the record of an unbound sprite. With a stream: at its position,
// leaving it open after the record (path is ignored). Without: creates path.
// A bound sprite is refused ("StoreRLSprite: Not a storable sprite"): its
// offsets and pixels are no longer what a file holds.
void StoreRLSprite(const RLSprite* sprite, const char* path, std::FILE* stream = nullptr);

// Reads one record and returns a new sprite (free it with FreeRLSprite). With a
// stream: from its position, leaving it after the record. Without: opens
// path. A non-zero pitch binds the sprite before it is returned.
RLSprite* LoadRLSprite(const char* path, int32_t pitch = 0, std::FILE* stream = nullptr);

// Binds an unbound sprite in place, records pitch in its boundPitch and makes
// pitch the spritePitch. Offsets are computed with 32-bit wrap-around; a
// sprite that passed FindRLSpriteFault for this pitch never wraps. A bind
// cannot be undone or repeated: a sprite already bound ends through
// ReportFatal with "BindRLSprite: Sprite already bound", a pitch below 1 with
// "BindRLSprite: Bad pitch"; in both cases nothing changes. A null sprite only
// sets spritePitch.
void BindRLSprite(RLSprite* sprite, int32_t pitch);

// Derives the drawing index of a sprite bound to its boundPitch (BindRLSprite
// does this; call it for a sprite whose words were laid out bound by hand and
// whose boundPitch was then set). The index holds per-run pixel counts,
// per-row starts of the runs and edge records and each edge record's row and
// column; it takes no more memory than the run and edge words, and is left
// out (index null) for a sprite whose runs or edge records leave its bounds
// or scan order, for one whose run offsets counted from its rectangle's
// corner do not fit 32 bits, for one too small to profit or with mostly empty
// rows, or without a boundPitch. Drawing is the same pixel for pixel with or
// without it. Call it again after rewriting a bound sprite's run or edge
// words in place.
void IndexRLSprite(RLSprite& sprite);

// Releases a loaded sprite and its buffers; nothing happens for null.
void FreeRLSprite(RLSprite* sprite);

// Releases the run and edge buffers of an encoded sprite (the sprite itself is
// the caller's) and clears their counts; the sprite counts as unbound again.
void ReleaseRLSpriteData(RLSprite& sprite);

// Bytes of the sprite's record: 48 + 4R + 4E + 6P.
int64_t RLSpriteSize(const RLSprite* sprite);

struct RLSpriteDeleter {
    void operator()(RLSprite* sprite) const { FreeRLSprite(sprite); }
};
using RLSpritePtr = std::unique_ptr<RLSprite, RLSpriteDeleter>;

#endif
