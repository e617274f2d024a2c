#include <Vantrel/ByteList.h>

#include <cstdlib>
#include <cstring>

#include <Vantrel/ByteIO.h>

ByteList::ByteList(int32_t initialCapacity) {
    if (initialCapacity > 0) {
        data_ = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(initialCapacity), 1));
        if (data_ != nullptr) capacity_ = initialCapacity;
    }
}

ByteList::~ByteList() {
    std::free(data_);
}

// New bytes read 0.
bool ByteList::GrowTo(int32_t capacity) {
    if (capacity <= capacity_) return true;
    auto* grown = static_cast<uint8_t*>(std::realloc(data_, static_cast<size_t>(capacity)));
    if (grown == nullptr) return false;
    std::memset(grown + capacity_, 0, static_cast<size_t>(capacity - capacity_));
    data_ = grown;
    capacity_ = capacity;
    return true;
}

int32_t ByteList::Add(uint8_t value) {
    if (count_ == capacity_ && (capacity_ > INT32_MAX - kGrowth || !GrowTo(capacity_ + kGrowth)))
        return -1;
    data_[count_] = value;
    return count_++;
}

int32_t ByteList::Insert(uint8_t value, int32_t position) {
    int32_t index = Add(value);
    if (index < 0 || position < 0 || position >= count_ - 1) return index;
    std::memmove(data_ + position + 1, data_ + position, static_cast<size_t>(index - position));
    data_[position] = value;
    return position;
}

void ByteList::RemoveValue(uint8_t value) {
    int32_t position = Find(value);
    if (position != 0) RemoveAt(position - 1);
}

void ByteList::RemoveAt(int32_t index) {
    if (index < 0 || index >= count_) return;
    --count_;
    std::memmove(data_ + index, data_ + index + 1, static_cast<size_t>(count_ - index));
}

bool ByteList::Set(int32_t index, uint8_t value) {
    if (index < 0) return false;
    if (index >= count_) {
        if (index == INT32_MAX || !GrowTo(index + 1)) return false;
        // Bytes left behind by removals never reappear as content.
        std::memset(data_ + count_, 0, static_cast<size_t>(index - count_));
        count_ = index + 1;
    }
    data_[index] = value;
    return true;
}

int32_t ByteList::Find(uint8_t value) const {
    for (int32_t i = 0; i < count_; ++i) {
        if (data_[i] == value) return i + 1;
    }
    return 0;
}

uint8_t ByteList::Get(int32_t index) const {
    return index < 0 || index >= count_ ? 0 : data_[index];
}

bool ByteList::Write(std::FILE* stream) const {
    if (!WriteI32(stream, count_)) return false;
    return count_ == 0 || WriteBytes(stream, data_, static_cast<size_t>(count_));
}

bool ByteList::Read(std::FILE* stream) {
    Clear();
    int32_t count = 0;
    if (!ReadI32(stream, count) || count > kByteListReadLimit) return false;
    if (count <= 0) return true;
    // One growth to the final size rather than one per byte.
    if (!GrowTo(count)) return false;
    size_t got = std::fread(data_, 1, static_cast<size_t>(count), stream);
    std::memset(data_ + got, 0xFF, static_cast<size_t>(count) - got);
    count_ = count;
    return got == static_cast<size_t>(count);
}
