// Little-endian binary input and output over C streams.
//
// Every binary file of the system (TGA images, sprite records, .sh and .shp
// files) is read and written field by field through these functions, never by
// dumping structures, so the formats do not depend on the host's byte order,
// alignment or padding.
//
// Readers return false on a short read and then leave the destination value
// unchanged; a short read can therefore not go unnoticed. Writers return false
// when not every byte was written.
#ifndef VANTREL_BYTE_IO_H
#define VANTREL_BYTE_IO_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

// Decoding from and encoding into byte buffers.
inline uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline int16_t LoadI16(const uint8_t* p) {
    return static_cast<int16_t>(LoadU16(p));
}
inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LoadI32(const uint8_t* p) {
    return static_cast<int32_t>(LoadU32(p));
}

inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// Stream reads. Each returns true only when every byte arrived.
bool ReadBytes(std::FILE* stream, void* destination, size_t count);
bool ReadU8(std::FILE* stream, uint8_t& value);
bool ReadU16(std::FILE* stream, uint16_t& value);
bool ReadI16(std::FILE* stream, int16_t& value);
bool ReadU32(std::FILE* stream, uint32_t& value);
bool ReadI32(std::FILE* stream, int32_t& value);

// Stream writes. Each returns true only when every byte was written.
bool WriteBytes(std::FILE* stream, const void* source, size_t count);
bool WriteU8(std::FILE* stream, uint8_t value);
bool WriteU16(std::FILE* stream, uint16_t value);
bool WriteI16(std::FILE* stream, int16_t value);
bool WriteU32(std::FILE* stream, uint32_t value);
bool WriteI32(std::FILE* stream, int32_t value);

// Bytes between the stream's position and its end, or -1 when the stream
// cannot tell (a pipe). Readers compare the smallest payload a header
// announces with this before they allocate; where it is -1 they fall back to
// reading in bounded pieces so a lying header still cannot force a huge block.
int64_t BytesLeft(std::FILE* stream);

// Whether a stream holds a payload of `count` bytes: certainly (count 0, or
// at least that many bytes left), certainly not, or it cannot tell (a pipe).
// A reader refuses kShort before it allocates anything and reads kUnknown
// through ReadStaged.
enum class StreamRoom { kEnough, kShort, kUnknown };
StreamRoom RoomFor(std::FILE* stream, uint64_t count);

// Reads exactly `count` bytes into `bytes` (resized to count), gathering them
// in pieces that at most double what has already arrived (64 KiB at first),
// so the memory taken stays proportional to the bytes actually there whatever
// `count` claims. False on a short read or when memory runs out; `bytes` then
// holds what arrived.
bool ReadStaged(std::FILE* stream, uint64_t count, std::vector<uint8_t>& bytes);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// A file this code opened and closes when the handle ends.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The stream a loader or writer works on: the caller's stream, borrowed and
// left open, or (without one) `path` opened in `mode` and closed when this
// ends. With neither a stream nor a path that opens, get() is null.
class StreamInUse {
public:
    StreamInUse(const char* path, std::FILE* stream, const char* mode)
        : owned_(stream == nullptr && path != nullptr ? std::fopen(path, mode) : nullptr),
          stream_(stream != nullptr ? stream : owned_.get()) {}
    std::FILE* get() const { return stream_; }
    explicit operator bool() const { return stream_ != nullptr; }
    // Closes a file opened here now; false when closing lost written bytes.
    // A borrowed stream stays open (true).
    bool Close() {
        stream_ = nullptr;
        return !owned_ || std::fclose(owned_.release()) == 0;
    }

private:
    FileHandle owned_;
    std::FILE* stream_;
};

#endif
