/// @file
/// The tracked allocator.
///
/// Every block records the source unit and line that asked for it (for example
/// "Vantrel\\Rls" and a line number), carries a guard word in front of the
/// caller's bytes and a trailer word right after them, is filled with EF at
/// allocation, and sits in a 499-bucket hash table so that frees and
/// reallocations can be checked.
///
/// Block layout, fields in this order with the host's pointer size; the caller's
/// bytes start at an address aligned for any type (16 bytes on 64-bit hosts):
///
///     next block in the bucket | source name | source line | requested size |
///     (padding) | guard word | caller's bytes | trailer word FEEDFEED
///
/// The guard word is ABCDABCD while the block lives.
///
/// The allocator never reports anything: a failed allocation gives null; a null,
/// foreign, damaged or already freed pointer given to DebugFree is ignored.
/// Unlike a bare guard-word scheme, no status query ever reads memory the
/// allocator does not own: a pointer is first looked up in the table, and freed
/// addresses (the most recent 65536) are remembered in a quarantine set, so a
/// double free is told (4) without touching freed memory. Consequently a block
/// that is in the table but not intact is never handed to the heap's realloc:
/// DebugRealloc refuses a freed or damaged block with null.
///
/// Every function may be called on several threads at once: one lock guards
/// the table, the quarantine and the byte counts. A status query about a block
/// that another thread is freeing at the same moment answers for either side
/// of the free.
#ifndef VANTREL_DEBUG_ALLOC_H
#define VANTREL_DEBUG_ALLOC_H

#include <cstddef>
#include <cstdint>

/// What BlockStatus and CheckBlock tell of a pointer.
enum BlockStatusCode : int {
    kBlockLive = 0,        ///< live tracked block, both guards intact
    kBlockNull = 1,        ///< null pointer
    kBlockBadGuard = 2,    ///< not a tracked block, or its front was overwritten
    kBlockBadTrailer = 3,  ///< the caller wrote past the end
    kBlockFreed = 4,       ///< already freed
    /// Guards intact but not in the table; never answered, as a pointer is
    /// looked up in the table before its guards are read.
    kBlockNotInTable = 6,
};

/// A new tracked block of size bytes, each EF, tagged with source and line;
/// null when the heap refuses it.
void* DebugAlloc(size_t size, const char* source, int line);
/// As DebugAlloc, count elements of size bytes set to zero; null when count x
/// size overflows.
void* DebugCalloc(size_t count, size_t size, const char* source, int line);
/// A tracked copy of the zero-terminated text (which must not be null).
char* DebugStrdup(const char* text, const char* source, int line);
/// Moves the contents into a new tracked block of size bytes and frees the old
/// one. Null, and a pointer the allocator does not know (neither in its table
/// nor among the recently freed), go to the ordinary heap's realloc, as the
/// allocator's callers have always relied on; a freed or damaged tracked block
/// is refused with null.
void* DebugRealloc(void* pointer, size_t size, const char* source, int line);
/// Frees a live tracked block; anything else is ignored.
void DebugFree(void* pointer);

///@{
/// The BlockStatusCode of pointer (both calls answer alike).
int BlockStatus(const void* pointer);
int CheckBlock(const void* pointer);
///@}
/// The bytes the caller asked for with a live block; 0 for anything else.
size_t BlockSize(const void* pointer);
/// The live tracked blocks.
int CountBlocks();

///@{
/// Inspection of a live block (null or 0 for anything else): the source name
/// and line it was allocated with.
const char* BlockSource(const void* pointer);
int BlockLine(const void* pointer);
///@}

///@{
/// Bytes requested by the live tracked blocks, and the most there were at once
/// since the last ResetPeakTrackedBytes (readers' tests use it to see that a
/// lying header did not make a huge block).
size_t LiveTrackedBytes();
size_t PeakTrackedBytes();
///@}
/// Makes the peak the bytes live now.
void ResetPeakTrackedBytes();

/// Typed convenience for arrays: DebugAllocArray<int32_t>(n, kSource, __LINE__)
/// returns null when n * sizeof(T) overflows.
template <typename T>
T* DebugAllocArray(size_t count, const char* source, int line) {
    if (count != 0 && count > SIZE_MAX / sizeof(T)) return nullptr;
    return static_cast<T*>(DebugAlloc(count * sizeof(T), source, line));
}

#endif
