/// @file
/// DynArray<T>: an array of pointer-sized elements indexed by position that
/// grows to exactly the index written. Storage comes from the tracked
/// allocator, tagged "Vantrel\\dynarray"; entries never written are null. The
/// array never owns what its elements point to.
///
/// A negative index given to Set is ignored; a failed growth leaves the array
/// unchanged and Set returns false.
#ifndef VANTREL_DYNARRAY_H
#define VANTREL_DYNARRAY_H

#include <cstdint>
#include <cstring>

#include "DebugAlloc.h"

/// An array of pointer-sized elements that grows to the index written (see
/// the file's description).
template <typename T>
class DynArray {
    static_assert(sizeof(T) == sizeof(void*), "DynArray holds pointer-sized elements");

public:
    /// initialSize null entries (none when the allocator refuses them, or for
    /// a size below 1).
    explicit DynArray(int32_t initialSize = 16) {
        if (initialSize > 0) {
            items_ = static_cast<T*>(
                DebugCalloc(static_cast<size_t>(initialSize), sizeof(T), kSource, __LINE__));
            if (items_ != nullptr) size_ = initialSize;
        }
    }
    ~DynArray() { DebugFree(items_); }
    DynArray(const DynArray&) = delete;
    DynArray& operator=(const DynArray&) = delete;

    /// Stores value at index, growing the array to index + 1 entries first
    /// when needed; false (nothing changed) for a negative index or a failed
    /// growth.
    bool Set(int32_t index, T value) {
        if (index < 0 || index == INT32_MAX) return false;
        if (index >= size_) {
            int32_t grown = index + 1;
            // Starting from no storage must still give a tracked block.
            size_t bytes = static_cast<size_t>(grown) * sizeof(T);
            auto* fresh =
                static_cast<T*>(items_ == nullptr ? DebugAlloc(bytes, kSource, __LINE__)
                                                  : DebugRealloc(items_, bytes, kSource, __LINE__));
            if (fresh == nullptr) return false;
            std::memset(static_cast<void*>(fresh + size_), 0,
                        static_cast<size_t>(grown - size_) * sizeof(T));
            items_ = fresh;
            size_ = grown;
        }
        items_[index] = value;
        return true;
    }

    /// The entry at index; null outside 0..Size() - 1.
    T Get(int32_t index) const { return index < 0 || index >= size_ ? T{} : items_[index]; }
    /// The entries the array holds.
    int32_t Size() const { return size_; }

private:
    static constexpr const char* kSource = "Vantrel\\dynarray";
    int32_t size_ = 0;
    T* items_ = nullptr;
};

#endif
