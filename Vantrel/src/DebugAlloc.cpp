#include <Vantrel/DebugAlloc.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

constexpr uint32_t kGuardLive = 0xABCDABCDu;
constexpr uint32_t kGuardFreed = 0xBADABADAu;
constexpr uint32_t kTrailer = 0xFEEDFEEDu;
constexpr unsigned char kFill = 0xEF;
constexpr size_t kBucketCount = 499;

struct BlockHeader {
    BlockHeader* next;
    const char* source;
    intptr_t line;
    size_t size;
};

constexpr size_t kAlignment = alignof(std::max_align_t);
// The guard word occupies the last four bytes before the caller's bytes.
constexpr size_t kHeaderSize =
    (sizeof(BlockHeader) + sizeof(uint32_t) + kAlignment - 1) / kAlignment * kAlignment;

BlockHeader* buckets[kBucketCount];
// The quarantine: user addresses handed back by DebugFree and not handed out
// again, the most recent kFreedLimit of them. Each entry carries the serial of
// its free, so that evicting an old entry never forgets a newer free of the
// same address. Both the order of frees (a ring) and the address set (open
// addressing, linear probing, at most half full) live in static storage: a
// free never allocates.
class FreedAddresses {
public:
    void Remember(uintptr_t address) {
        Slot& oldest = ring_[next_];
        if (oldest.address != 0) {
            size_t at = Find(oldest.address);
            if (table_[at].address == oldest.address && table_[at].serial == oldest.serial)
                Erase(at);
        }
        ++serial_;
        oldest = {address, serial_};
        next_ = (next_ + 1) % kFreedLimit;
        size_t at = Find(address);
        table_[at] = {address, serial_};
    }
    void Forget(uintptr_t address) {
        size_t at = Find(address);
        if (table_[at].address == address) Erase(at);
    }
    bool Contains(uintptr_t address) const {
        return address != 0 && table_[Find(address)].address == address;
    }

private:
    struct Slot {
        uintptr_t address;  // 0: empty
        uint64_t serial;
    };
    static constexpr size_t kFreedLimit = size_t{1} << 16;
    static constexpr size_t kTableSize = kFreedLimit * 2;

    static size_t Home(uintptr_t address) {
        return static_cast<size_t>((static_cast<uint64_t>(address) * 0x9E3779B97F4A7C15ull) >> 47);
    }
    // The slot holding address, or the empty slot where it would go.
    size_t Find(uintptr_t address) const {
        size_t at = Home(address);
        while (table_[at].address != 0 && table_[at].address != address) at = (at + 1) % kTableSize;
        return at;
    }
    // Removes the entry at a slot, moving later entries of the same probe run
    // back so that every entry stays reachable from its home slot.
    void Erase(size_t at) {
        size_t hole = at;
        for (size_t next = (hole + 1) % kTableSize; table_[next].address != 0;
             next = (next + 1) % kTableSize) {
            size_t home = Home(table_[next].address);
            bool movable =
                hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
            if (movable) {
                table_[hole] = table_[next];
                hole = next;
            }
        }
        table_[hole] = {0, 0};
    }

    Slot ring_[kFreedLimit] = {};
    Slot table_[kTableSize] = {};
    size_t next_ = 0;
    uint64_t serial_ = 0;
};

FreedAddresses& Quarantine() {
    static FreedAddresses freed;
    return freed;
}

size_t liveBytes = 0;
size_t peakBytes = 0;

// One lock over the table, the quarantine and the byte counts, so that blocks
// can be allocated and freed on several threads at once. Recursive, as
// DebugRealloc and DebugCalloc call DebugAlloc and DebugFree.
std::recursive_mutex& TableLock() {
    static std::recursive_mutex lock;
    return lock;
}
using TableGuard = std::lock_guard<std::recursive_mutex>;

size_t BucketOf(uintptr_t blockAddress) {
    return (blockAddress / 8) % kBucketCount;
}

unsigned char* UserBytes(BlockHeader* block) {
    return reinterpret_cast<unsigned char*>(block) + kHeaderSize;
}

uint32_t ReadWord(const unsigned char* at) {
    uint32_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

void WriteWord(unsigned char* at, uint32_t v) {
    std::memcpy(at, &v, sizeof v);
}

// Finds the live tracked block whose caller's bytes start at pointer, reading
// only the headers of blocks in the table.
BlockHeader* FindBlock(const void* pointer, BlockHeader** previous = nullptr) {
    uintptr_t user = reinterpret_cast<uintptr_t>(pointer);
    if (user < kHeaderSize) return nullptr;
    uintptr_t address = user - kHeaderSize;
    BlockHeader* before = nullptr;
    for (BlockHeader* b = buckets[BucketOf(address)]; b != nullptr; b = b->next) {
        if (reinterpret_cast<uintptr_t>(b) == address) {
            if (previous != nullptr) *previous = before;
            return b;
        }
        before = b;
    }
    return nullptr;
}

}  // namespace

void* DebugAlloc(size_t size, const char* source, int line) {
    const TableGuard locked(TableLock());
    if (size > SIZE_MAX - kHeaderSize - sizeof(uint32_t)) return nullptr;
    auto* block = static_cast<BlockHeader*>(std::malloc(kHeaderSize + size + sizeof(uint32_t)));
    if (block == nullptr) return nullptr;
    block->source = source;
    block->line = line;
    block->size = size;
    unsigned char* user = UserBytes(block);
    WriteWord(user - sizeof(uint32_t), kGuardLive);
    std::memset(user, kFill, size);
    WriteWord(user + size, kTrailer);
    size_t bucket = BucketOf(reinterpret_cast<uintptr_t>(block));
    block->next = buckets[bucket];
    buckets[bucket] = block;
    liveBytes += size;
    if (liveBytes > peakBytes) peakBytes = liveBytes;
    Quarantine().Forget(reinterpret_cast<uintptr_t>(user));
    return user;
}

void* DebugCalloc(size_t count, size_t size, const char* source, int line) {
    const TableGuard locked(TableLock());
    if (size != 0 && count > SIZE_MAX / size) return nullptr;
    void* p = DebugAlloc(count * size, source, line);
    if (p != nullptr) std::memset(p, 0, count * size);
    return p;
}

char* DebugStrdup(const char* text, const char* source, int line) {
    size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(DebugAlloc(length + 1, source, line));
    if (copy != nullptr) std::memcpy(copy, text, length + 1);
    return copy;
}

int BlockStatus(const void* pointer) {
    const TableGuard locked(TableLock());
    if (pointer == nullptr) return kBlockNull;
    BlockHeader* block = FindBlock(pointer);
    if (block == nullptr) {
        return Quarantine().Contains(reinterpret_cast<uintptr_t>(pointer)) ? kBlockFreed
                                                                           : kBlockBadGuard;
    }
    const unsigned char* user = UserBytes(block);
    uint32_t guard = ReadWord(user - sizeof(uint32_t));
    if (guard == kGuardFreed) return kBlockFreed;
    if (guard != kGuardLive) return kBlockBadGuard;
    if (ReadWord(user + block->size) != kTrailer) return kBlockBadTrailer;
    return kBlockLive;
}

int CheckBlock(const void* pointer) {
    // BlockStatus only answers 0 for a block it found in the table.
    return BlockStatus(pointer);
}

size_t BlockSize(const void* pointer) {
    const TableGuard locked(TableLock());
    if (CheckBlock(pointer) != kBlockLive) return 0;
    return FindBlock(pointer)->size;
}

const char* BlockSource(const void* pointer) {
    const TableGuard locked(TableLock());
    return CheckBlock(pointer) == kBlockLive ? FindBlock(pointer)->source : nullptr;
}

int BlockLine(const void* pointer) {
    const TableGuard locked(TableLock());
    return CheckBlock(pointer) == kBlockLive ? static_cast<int>(FindBlock(pointer)->line) : 0;
}

size_t LiveTrackedBytes() {
    const TableGuard locked(TableLock());
    return liveBytes;
}
size_t PeakTrackedBytes() {
    const TableGuard locked(TableLock());
    return peakBytes;
}
void ResetPeakTrackedBytes() {
    const TableGuard locked(TableLock());
    peakBytes = liveBytes;
}

int CountBlocks() {
    const TableGuard locked(TableLock());
    int count = 0;
    for (BlockHeader* head : buckets) {
        for (BlockHeader* b = head; b != nullptr; b = b->next) {
            if (ReadWord(UserBytes(b) - sizeof(uint32_t)) == kGuardLive) ++count;
        }
    }
    return count;
}

void DebugFree(void* pointer) {
    const TableGuard locked(TableLock());
    if (BlockStatus(pointer) != kBlockLive) return;
    BlockHeader* previous = nullptr;
    BlockHeader* block = FindBlock(pointer, &previous);
    if (previous != nullptr) {
        previous->next = block->next;
    } else {
        buckets[BucketOf(reinterpret_cast<uintptr_t>(block))] = block->next;
    }
    WriteWord(UserBytes(block) - sizeof(uint32_t), kGuardFreed);
    liveBytes -= block->size;
    std::free(block);
    Quarantine().Remember(reinterpret_cast<uintptr_t>(pointer));
}

void* DebugRealloc(void* pointer, size_t size, const char* source, int line) {
    const TableGuard locked(TableLock());
    int status = CheckBlock(pointer);
    // Null and pointers the allocator never made go to the ordinary heap. A
    // freed or damaged tracked block cannot: its address is not one the heap
    // handed out, so the heap would be corrupted. It is refused with null.
    if (status == kBlockNull || (status == kBlockBadGuard && FindBlock(pointer) == nullptr)) {
        // The heap may hand out an address a tracked block had before it was
        // freed (Windows' heap does so readily); that address is now a live
        // block of the caller's, no longer a freed one.
        void* plain = std::realloc(pointer, size);
        if (plain != nullptr) Quarantine().Forget(reinterpret_cast<uintptr_t>(plain));
        return plain;
    }
    if (status != kBlockLive) return nullptr;
    void* fresh = DebugAlloc(size, source, line);
    if (fresh == nullptr) return nullptr;
    size_t old = FindBlock(pointer)->size;
    std::memcpy(fresh, pointer, size < old ? size : old);
    DebugFree(pointer);
    return fresh;
}
