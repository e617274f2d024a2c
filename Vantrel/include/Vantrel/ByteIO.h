// Little-endian binary input and output over C streams, bytes in memory and
// a program's own reader.
//
// Every binary file of the system (TGA images, sprite records, .sh and .shp
// files) is read and written field by field through these functions, never by
// dumping structures, so the formats do not depend on the host's byte order,
// alignment or padding.
//
// Readers return false on a short read and then leave the destination value
// unchanged; a short read can therefore not go unnoticed. Writers return false
// when not every byte was written.
//
// ByteSource is the one reader the sprite loaders use, whatever the bytes come
// from: a C stream, a block of memory or ReadCallbacks. It counts the bytes it
// has handed out (the offset a loader names in its faults) and tells how many
// are left where the source knows (a file, memory), so that counts can be
// compared with the bytes left before anything is allocated.
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

// A program's own reader: an archive entry, a decompressor, anything that
// hands out bytes in order. The shape of stb_image's io callbacks, so a game
// can give the same three functions to both.
struct ReadCallbacks {
    // Copies up to size bytes to data and returns how many it copied, at
    // least 1 while data is left: 0 (or less) means the end of the data or
    // an error, after which it is not called again. Giving fewer bytes than
    // asked is fine; it is simply called again for the rest.
    int (*read)(void* user, char* data, int size) = nullptr;
    // Optional: passes over count bytes without handing them out.
    void (*skip)(void* user, int count) = nullptr;
    // Optional: non-zero once no byte is left.
    int (*eof)(void* user) = nullptr;
};

// How ByteSource::ReadStaged ended.
enum class StagedRead { kComplete, kShort, kNoMemory };

// Bytes read in order from a C stream, memory or ReadCallbacks. Reads return
// true only when every byte asked for arrived; a short read consumes what did
// arrive. Copying a source copies its position: use one copy.
class ByteSource {
public:
    // A stream, from its current position; its offsets count from the start
    // of the file (where the stream can tell its position).
    static ByteSource OfFile(std::FILE* stream);
    // size bytes at bytes (none when bytes is null); not copied.
    static ByteSource OfMemory(const void* bytes, size_t size);
    // The program's reader; callbacks.read must be set, the others may be
    // null. Its size is never known.
    static ByteSource OfCallbacks(const ReadCallbacks& callbacks, void* user);

    bool Read(void* destination, size_t count);
    bool ReadU16(uint16_t& value);
    // The next byte, or -1 at the end.
    int ReadByte();

    // Where the next byte comes from (see the factories).
    int64_t Offset() const { return offset_; }
    // Bytes left, or -1 when the source cannot tell (a pipe, callbacks).
    int64_t Left() const;
    // As RoomFor on a stream: whether count more bytes certainly follow.
    StreamRoom RoomFor(uint64_t count) const;
    // Reads exactly count bytes into bytes as ReadStaged on a stream does
    // (pieces that at most double what has arrived), for a source whose size
    // is unknown: the memory taken follows the bytes that are really there.
    StagedRead ReadStaged(uint64_t count, std::vector<uint8_t>& bytes);
    // Whether at least count more bytes follow. A source that cannot tell is
    // asked by passing over them (skip and eof where the callbacks have both,
    // else reading them into a small buffer), so afterwards it stands
    // somewhere past its old position: ask only when the load has failed or
    // will stop anyway.
    bool HasAtLeast(uint64_t count);

private:
    enum class Kind { kFile, kMemory, kCallbacks };
    explicit ByteSource(Kind kind) : kind_(kind) {}
    // Up to count bytes; fewer only at the end of the data.
    size_t ReadSome(void* destination, size_t count);

    Kind kind_;
    std::FILE* file_ = nullptr;
    const uint8_t* memory_ = nullptr;
    size_t size_ = 0;
    size_t position_ = 0;
    ReadCallbacks callbacks_;
    void* user_ = nullptr;
    bool ended_ = false;  // the callbacks' read said the data has ended
    int64_t offset_ = 0;
};

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
