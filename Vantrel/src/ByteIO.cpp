#include <Vantrel/ByteIO.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

bool ReadBytes(std::FILE* stream, void* destination, size_t count) {
    return std::fread(destination, 1, count, stream) == count;
}

bool ReadU8(std::FILE* stream, uint8_t& value) {
    int c = std::fgetc(stream);
    if (c == EOF) return false;
    value = static_cast<uint8_t>(c);
    return true;
}

bool ReadU16(std::FILE* stream, uint16_t& value) {
    uint8_t b[2];
    if (!ReadBytes(stream, b, sizeof b)) return false;
    value = LoadU16(b);
    return true;
}

bool ReadI16(std::FILE* stream, int16_t& value) {
    uint16_t u;
    if (!ReadU16(stream, u)) return false;
    value = static_cast<int16_t>(u);
    return true;
}

bool ReadU32(std::FILE* stream, uint32_t& value) {
    uint8_t b[4];
    if (!ReadBytes(stream, b, sizeof b)) return false;
    value = LoadU32(b);
    return true;
}

bool ReadI32(std::FILE* stream, int32_t& value) {
    uint32_t u;
    if (!ReadU32(stream, u)) return false;
    value = static_cast<int32_t>(u);
    return true;
}

bool WriteBytes(std::FILE* stream, const void* source, size_t count) {
    return std::fwrite(source, 1, count, stream) == count;
}

bool WriteU8(std::FILE* stream, uint8_t value) {
    return std::fputc(value, stream) != EOF;
}

bool WriteU16(std::FILE* stream, uint16_t value) {
    uint8_t b[2];
    StoreU16(b, value);
    return WriteBytes(stream, b, sizeof b);
}

bool WriteI16(std::FILE* stream, int16_t value) {
    return WriteU16(stream, static_cast<uint16_t>(value));
}

bool WriteU32(std::FILE* stream, uint32_t value) {
    uint8_t b[4];
    StoreU32(b, value);
    return WriteBytes(stream, b, sizeof b);
}

bool WriteI32(std::FILE* stream, int32_t value) {
    return WriteU32(stream, static_cast<uint32_t>(value));
}

int64_t BytesLeft(std::FILE* stream) {
    long here = std::ftell(stream);
    if (here < 0) return -1;
    if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(stream);
    if (std::fseek(stream, here, SEEK_SET) != 0 || end < here) return -1;
    return static_cast<int64_t>(end) - here;
}

StreamRoom RoomFor(std::FILE* stream, uint64_t count) {
    if (count == 0) return StreamRoom::kEnough;
    const int64_t left = BytesLeft(stream);
    if (left < 0) return StreamRoom::kUnknown;
    return static_cast<uint64_t>(left) >= count ? StreamRoom::kEnough : StreamRoom::kShort;
}

bool ReadStaged(std::FILE* stream, uint64_t count, std::vector<uint8_t>& bytes) {
    return ByteSource::OfFile(stream).ReadStaged(count, bytes) == StagedRead::kComplete;
}

ByteSource ByteSource::OfFile(std::FILE* stream) {
    ByteSource source(Kind::kFile);
    source.file_ = stream;
    const long here = std::ftell(stream);
    source.offset_ = here > 0 ? here : 0;
    return source;
}

ByteSource ByteSource::OfMemory(const void* bytes, size_t size) {
    ByteSource source(Kind::kMemory);
    source.memory_ = static_cast<const uint8_t*>(bytes);
    source.size_ = bytes != nullptr ? size : 0;
    return source;
}

ByteSource ByteSource::OfCallbacks(const ReadCallbacks& callbacks, void* user) {
    ByteSource source(Kind::kCallbacks);
    source.callbacks_ = callbacks;
    source.user_ = user;
    source.ended_ = callbacks.read == nullptr;
    return source;
}

size_t ByteSource::ReadSome(void* destination, size_t count) {
    size_t got = 0;
    switch (kind_) {
        case Kind::kFile:
            got = std::fread(destination, 1, count, file_);
            break;
        case Kind::kMemory:
            got = std::min(count, size_ - position_);
            if (got != 0) std::memcpy(destination, memory_ + position_, got);
            position_ += got;
            break;
        case Kind::kCallbacks:
            while (got < count && !ended_) {
                const int want = static_cast<int>(std::min<size_t>(count - got, INT_MAX));
                const int n = callbacks_.read(user_, static_cast<char*>(destination) + got, want);
                // A reader that claims more than it was asked for is not
                // trusted with the rest.
                if (n <= 0 || n > want) {
                    ended_ = true;
                } else {
                    got += static_cast<size_t>(n);
                }
            }
            break;
    }
    offset_ += static_cast<int64_t>(got);
    return got;
}

bool ByteSource::Read(void* destination, size_t count) {
    return ReadSome(destination, count) == count;
}

bool ByteSource::ReadU16(uint16_t& value) {
    uint8_t b[2];
    if (!Read(b, sizeof b)) return false;
    value = LoadU16(b);
    return true;
}

int ByteSource::ReadByte() {
    uint8_t b = 0;
    return ReadSome(&b, 1) == 1 ? b : -1;
}

int64_t ByteSource::Left() const {
    switch (kind_) {
        case Kind::kFile:
            return BytesLeft(file_);
        case Kind::kMemory:
            return static_cast<int64_t>(size_ - position_);
        case Kind::kCallbacks:
            break;
    }
    return -1;
}

StreamRoom ByteSource::RoomFor(uint64_t count) const {
    if (count == 0) return StreamRoom::kEnough;
    const int64_t left = Left();
    if (left < 0) return StreamRoom::kUnknown;
    return static_cast<uint64_t>(left) >= count ? StreamRoom::kEnough : StreamRoom::kShort;
}

StagedRead ByteSource::ReadStaged(uint64_t count, std::vector<uint8_t>& bytes) {
    constexpr size_t kFirstPiece = 64 * 1024;
    bytes.clear();
    if (count > SIZE_MAX) return StagedRead::kNoMemory;
    const auto total = static_cast<size_t>(count);
    try {
        while (bytes.size() < total) {
            const size_t have = bytes.size();
            const size_t want = std::min(total - have, std::max(kFirstPiece, have));
            bytes.resize(have + want);
            const size_t got = ReadSome(bytes.data() + have, want);
            if (got != want) {
                bytes.resize(have + got);
                return StagedRead::kShort;
            }
        }
    } catch (const std::bad_alloc&) {
        return StagedRead::kNoMemory;
    }
    return StagedRead::kComplete;
}

bool ByteSource::HasAtLeast(uint64_t count) {
    if (count == 0) return true;
    const int64_t left = Left();
    if (left >= 0) return static_cast<uint64_t>(left) >= count;
    if (kind_ == Kind::kCallbacks && callbacks_.skip != nullptr && callbacks_.eof != nullptr) {
        if (ended_) return false;
        // Past all but the last of them; the last is there if the data has
        // not ended.
        for (uint64_t rest = count - 1; rest != 0;) {
            const int step = static_cast<int>(std::min<uint64_t>(rest, INT_MAX));
            callbacks_.skip(user_, step);
            rest -= static_cast<uint64_t>(step);
        }
        offset_ += static_cast<int64_t>(count - 1);
        return callbacks_.eof(user_) == 0;
    }
    uint8_t scratch[4096];
    for (uint64_t rest = count; rest != 0;) {
        const size_t step = static_cast<size_t>(std::min<uint64_t>(rest, sizeof scratch));
        if (ReadSome(scratch, step) != step) return false;
        rest -= step;
    }
    return true;
}
