// The tracked allocator.
//
// Every block records the source unit and line that asked for it (for example
// "Vantrel\\Rls" and a line number), carries a guard word in front of the
// caller's bytes and a trailer word right after them, is filled with EF at
// allocation, and sits in a 499-bucket hash table so that frees and
// reallocations can be checked.
//
// Block layout, fields in this order with the host's pointer size; the caller's
// bytes start at an address aligned for any type (16 bytes on 64-bit hosts):
//     next block in the bucket | source name | source line | requested size |
//     (padding) | guard word | caller's bytes | trailer word FEEDFEED
// The guard word is ABCDABCD while the block lives.
//
// The allocator never reports anything: a failed allocation gives null; a null,
// foreign, damaged or already freed pointer given to DebugFree is ignored.
// Unlike a bare guard-word scheme, no status query ever reads memory the
// allocator does not own: a pointer is first looked up in the table, and freed
// addresses (the most recent 65536) are remembered in a quarantine set, so a
// double free is told (4) without touching freed memory. Consequently a block
// that is in the table but not intact is never handed to the heap's realloc:
// DebugRealloc refuses a freed or damaged block with null.
//
// Every function may be called on several threads at once: one lock guards
// the table, the quarantine and the byte counts. A status query about a block
// that another thread is freeing at the same moment answers for either side
// of the free.
#ifndef VANTREL_DEBUG_ALLOC_H
#define VANTREL_DEBUG_ALLOC_H

#include <cstddef>
#include <cstdint>

enum BlockStatusCode : int {
    kBlockLive = 0,        // live tracked block, both guards intact
    kBlockNull = 1,        // null pointer
    kBlockBadGuard = 2,    // not a tracked block, or its front was overwritten
    kBlockBadTrailer = 3,  // the caller wrote past the end
    kBlockFreed = 4,       // already freed
    kBlockNotInTable = 6,  // guards intact but not in the table
};

void* DebugAlloc(size_t size, const char* source, int line);
void* DebugCalloc(size_t count, size_t size, const char* source, int line);
char* DebugStrdup(const char* text, const char* source, int line);
// Moves the contents into a new tracked block and frees the old one. A pointer
// that is not a live tracked block (null included) goes to the ordinary heap's
// realloc, as the allocator's callers have always relied on.
void* DebugRealloc(void* pointer, size_t size, const char* source, int line);
void DebugFree(void* pointer);

int BlockStatus(const void* pointer);
int CheckBlock(const void* pointer);
size_t BlockSize(const void* pointer);
int CountBlocks();

// Inspection of a live block (null or 0 for anything else): the source name
// and line it was allocated with.
const char* BlockSource(const void* pointer);
int BlockLine(const void* pointer);

// Bytes requested by the live tracked blocks, and the most there were at once
// since the last ResetPeakTrackedBytes (readers' tests use it to see that a
// lying header did not make a huge block).
size_t LiveTrackedBytes();
size_t PeakTrackedBytes();
void ResetPeakTrackedBytes();

// Typed convenience for arrays: DebugAllocArray<int32_t>(n, kSource, __LINE__)
// returns null when n * sizeof(T) overflows.
template <typename T>
T* DebugAllocArray(size_t count, const char* source, int line) {
    if (count != 0 && count > SIZE_MAX / sizeof(T)) return nullptr;
    return static_cast<T*>(DebugAlloc(count * sizeof(T), source, line));
}

#endif
