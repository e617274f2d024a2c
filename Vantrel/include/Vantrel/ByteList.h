/// @file
/// ByteList: a growable list of bytes that can write itself to a stream and
/// read itself back.
///
/// Storage comes from the ordinary heap (not the tracked allocator). The list
/// grows by a fixed 8 bytes when full, never by doubling; Set grows it to
/// exactly the index written. It is meant for short lists: Insert and the
/// removals move the tail byte by byte.
///
/// Stream form: the count as a little-endian 32-bit value, then the bytes.
/// Read trusts a count only up to kByteListReadLimit bytes: a larger one is
/// refused before anything is allocated, so a damaged file cannot make the
/// list take gigabytes. Within the limit a stream that ends early gives FF for
/// each missing byte.
///
/// Failures: a growth the heap refuses leaves the list unchanged (Add and
/// Insert return -1, Set returns false); Write and Read return false when the
/// stream failed. A negative index or position is ignored.
#ifndef VANTREL_BYTE_LIST_H
#define VANTREL_BYTE_LIST_H

#include <cstdint>
#include <cstdio>

/// The largest count Read trusts: 16 MiB.
constexpr int32_t kByteListReadLimit = 16 * 1024 * 1024;

/// A growable list of bytes (see the file's description).
class ByteList {
public:
    /// An empty list with room for initialCapacity bytes (none when the heap
    /// refuses them, or for a capacity below 1).
    explicit ByteList(int32_t initialCapacity = 8);
    ~ByteList();
    ByteList(const ByteList&) = delete;
    ByteList& operator=(const ByteList&) = delete;

    /// Appends; returns the new byte's index (the old count).
    int32_t Add(uint8_t value);
    /// Appends, then moves the byte to position when position < Count() - 1
    /// (the bytes from there move one place up). Returns the byte's index.
    int32_t Insert(uint8_t value, int32_t position);
    /// Removes the first byte equal to value, if any.
    void RemoveValue(uint8_t value);
    /// Removes the byte at index when index < Count(); the freed last byte is
    /// not cleared.
    void RemoveAt(int32_t index);
    /// Stores value at index, extending the list to index + 1 bytes first when
    /// needed; the bytes between the old count and index read 0.
    bool Set(int32_t index, uint8_t value);
    /// Index + 1 of the first byte equal to value, 0 when absent.
    int32_t Find(uint8_t value) const;
    /// The byte at index, 0 outside 0..Count() - 1.
    uint8_t Get(int32_t index) const;

    /// Writes the count, then the bytes; false when the stream failed.
    bool Write(std::FILE* stream) const;
    /// Empties the list and reads it back from the stream's current position.
    /// False when the count is short or above the limit (the list stays empty)
    /// or the bytes ran out (the missing ones read FF).
    bool Read(std::FILE* stream);

    /// Empties the list; its storage stays.
    void Clear() { count_ = 0; }
    /// The bytes in the list.
    int32_t Count() const { return count_; }
    /// The bytes the list holds before it grows.
    int32_t Capacity() const { return capacity_; }
    /// The bytes themselves, Count() of them (null while nothing was ever
    /// allocated).
    const uint8_t* Data() const { return data_; }

private:
    bool GrowTo(int32_t capacity);

    static constexpr int32_t kGrowth = 8;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    uint8_t* data_ = nullptr;
};

#endif
