#include <Vantrel/RLSpriteHeader.h>

#include <Vantrel/ByteIO.h>

namespace {

// Field offsets within the header. 12, 16, 24 and 28 are reserved.
constexpr int kRunWords = 0;
constexpr int kEdgeWords = 4;
constexpr int kPoints = 8;
constexpr int kHotX = 20;
constexpr int kHotY = 22;
constexpr int kLeft = 32;
constexpr int kTop = 36;
constexpr int kRight = 40;
constexpr int kBottom = 44;

}  // namespace

RLSpriteHeader DecodeRLSpriteHeader(const uint8_t* bytes) {
    RLSpriteHeader header;
    header.runWordCount = LoadI32(bytes + kRunWords);
    header.edgeWordCount = LoadI32(bytes + kEdgeWords);
    header.pointCount = LoadI32(bytes + kPoints);
    header.hotX = LoadI16(bytes + kHotX);
    header.hotY = LoadI16(bytes + kHotY);
    header.bounds = Rect{LoadI32(bytes + kLeft), LoadI32(bytes + kTop), LoadI32(bytes + kRight),
                         LoadI32(bytes + kBottom)};
    return header;
}

void EncodeRLSpriteHeader(const RLSpriteHeader& header, uint8_t* bytes) {
    for (int i = 0; i < kRLSpriteHeaderSize; ++i) bytes[i] = 0;
    StoreU32(bytes + kRunWords, static_cast<uint32_t>(header.runWordCount));
    StoreU32(bytes + kEdgeWords, static_cast<uint32_t>(header.edgeWordCount));
    StoreU32(bytes + kPoints, static_cast<uint32_t>(header.pointCount));
    StoreU16(bytes + kHotX, static_cast<uint16_t>(header.hotX));
    StoreU16(bytes + kHotY, static_cast<uint16_t>(header.hotY));
    StoreU32(bytes + kLeft, static_cast<uint32_t>(header.bounds.left));
    StoreU32(bytes + kTop, static_cast<uint32_t>(header.bounds.top));
    StoreU32(bytes + kRight, static_cast<uint32_t>(header.bounds.right));
    StoreU32(bytes + kBottom, static_cast<uint32_t>(header.bounds.bottom));
}

RLSpriteHeader RLSpriteHeaderOf(const RLSprite& sprite) {
    RLSpriteHeader header;
    header.runWordCount = sprite.runWordCount;
    header.edgeWordCount = sprite.edgeWordCount;
    header.pointCount = sprite.pointCount;
    header.hotX = UnpackX(sprite.hotSpot);
    header.hotY = UnpackY(sprite.hotSpot);
    header.bounds = sprite.bounds;
    return header;
}

RLSpriteHeaderCheck CheckRLSpriteHeader(const RLSpriteHeader& header, int64_t bytesLeft) {
    using Fault = RLSpriteHeaderFault;
    if (header.runWordCount < 0) return {Fault::kNegativeRunWords, kRunWords};
    if (header.edgeWordCount < 0) return {Fault::kNegativeEdgeWords, kEdgeWords};
    if (header.pointCount < 0) return {Fault::kNegativePoints, kPoints};
    if (header.edgeWordCount % 2 != 0) return {Fault::kOddEdgeWords, kEdgeWords};
    if (bytesLeft >= 0 && header.PayloadSize() > bytesLeft) return {Fault::kPayloadPastTheEnd, 0};
    return {};
}
