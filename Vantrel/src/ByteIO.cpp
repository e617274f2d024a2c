#include <Vantrel/ByteIO.h>

#include <algorithm>
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
    constexpr size_t kFirstPiece = 64 * 1024;
    bytes.clear();
    if (count > SIZE_MAX) return false;
    const auto total = static_cast<size_t>(count);
    try {
        while (bytes.size() < total) {
            const size_t have = bytes.size();
            const size_t want = std::min(total - have, std::max(kFirstPiece, have));
            bytes.resize(have + want);
            const size_t got = std::fread(bytes.data() + have, 1, want, stream);
            if (got != want) {
                bytes.resize(have + got);
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
