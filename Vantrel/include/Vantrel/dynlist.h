/// @file
/// DynList<T>: a list of pointer-sized elements that grows at its end by a
/// fixed 8 elements at a time (never by doubling). Storage comes from the
/// tracked allocator, tagged "Vantrel\\dynlist"; entries from count to capacity
/// are null. The list never owns what its elements point to.
///
/// Meant for short lists (a folder listing, a family's texts): RemoveAt moves
/// the tail element by element. A failed growth leaves the list unchanged and
/// Add returns -1.
#ifndef VANTREL_DYNLIST_H
#define VANTREL_DYNLIST_H

#include <cstdint>
#include <cstring>

#include "DebugAlloc.h"

/// A list of pointer-sized elements that grows at its end (see the file's
/// description).
template <typename T>
class DynList {
    static_assert(sizeof(T) == sizeof(void*), "DynList holds pointer-sized elements");

public:
    /// An empty list with room for initialCapacity elements (none when the
    /// allocator refuses them, or for a capacity below 1).
    explicit DynList(int32_t initialCapacity = 8) {
        if (initialCapacity > 0) {
            items_ = static_cast<T*>(
                DebugCalloc(static_cast<size_t>(initialCapacity), sizeof(T), kSource, __LINE__));
            if (items_ != nullptr) capacity_ = initialCapacity;
        }
    }
    ~DynList() { DebugFree(items_); }
    DynList(const DynList&) = delete;
    DynList& operator=(const DynList&) = delete;

    /// Appends value; returns its index, or -1 when the list could not grow.
    int32_t Add(T value) {
        if (count_ == capacity_) {
            int32_t grown = capacity_ + kGrowth;
            // Starting from no storage must still give a tracked block.
            size_t bytes = static_cast<size_t>(grown) * sizeof(T);
            auto* fresh =
                static_cast<T*>(items_ == nullptr ? DebugAlloc(bytes, kSource, __LINE__)
                                                  : DebugRealloc(items_, bytes, kSource, __LINE__));
            if (fresh == nullptr) return -1;
            std::memset(static_cast<void*>(fresh + capacity_), 0, kGrowth * sizeof(T));
            items_ = fresh;
            capacity_ = grown;
        }
        items_[count_] = value;
        return count_++;
    }

    /// Removes the element at index (the later ones move down); ignored
    /// outside 0..Count() - 1.
    void RemoveAt(int32_t index) {
        if (index < 0 || index >= count_) return;
        --count_;
        for (int32_t i = index; i < count_; ++i) items_[i] = items_[i + 1];
        items_[count_] = T{};
    }

    /// The element at index; null outside 0..Count() - 1.
    T Get(int32_t index) const { return index < 0 || index >= count_ ? T{} : items_[index]; }
    /// The elements in the list.
    int32_t Count() const { return count_; }
    /// The elements the list holds before it grows.
    int32_t Capacity() const { return capacity_; }

    /// Forgets the elements; storage, capacity and old entries stay.
    void Clear() { count_ = 0; }

private:
    static constexpr const char* kSource = "Vantrel\\dynlist";
    static constexpr int32_t kGrowth = 8;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    T* items_ = nullptr;
};

#endif
