// The record header as one typed value: known answers for every field, the
// writer's bytes decoded back, the check's findings with their offsets, and
// the record size against what the writer writes and the loader reads.
#include <Vantrel/RLSpriteHeader.h>

#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/RLSprite.h>
#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RLSpriteHeaderTest : public VantrelTest {};

TEST_F(RLSpriteHeaderTest, DecodesEveryFieldAndIgnoresTheReservedWords) {
    uint8_t bytes[kRLSpriteHeaderSize];
    for (int i = 0; i < kRLSpriteHeaderSize; ++i) bytes[i] = static_cast<uint8_t>(0xA0 + i);
    StoreU32(bytes + 0, 7);
    StoreU32(bytes + 4, 4);
    StoreU32(bytes + 8, 2);
    StoreU16(bytes + 20, static_cast<uint16_t>(-3));
    StoreU16(bytes + 22, 32767);
    StoreU32(bytes + 32, static_cast<uint32_t>(-65536));
    StoreU32(bytes + 36, static_cast<uint32_t>(-1));
    StoreU32(bytes + 40, 65536);
    StoreU32(bytes + 44, 0);
    const RLSpriteHeader h = DecodeRLSpriteHeader(bytes);
    EXPECT_EQ(h.runWordCount, 7);
    EXPECT_EQ(h.edgeWordCount, 4);
    EXPECT_EQ(h.pointCount, 2);
    EXPECT_EQ(h.hotX, -3);
    EXPECT_EQ(h.hotY, 32767);
    EXPECT_EQ(h.bounds.left, -65536);
    EXPECT_EQ(h.bounds.top, -1);
    EXPECT_EQ(h.bounds.right, 65536);
    EXPECT_EQ(h.bounds.bottom, 0);
    EXPECT_EQ(h.PayloadSize(), 4 * 7 + 4 * 4 + 6 * 2);
    EXPECT_EQ(h.RecordSize(), 48 + 56);

    uint8_t again[kRLSpriteHeaderSize];
    EncodeRLSpriteHeader(h, again);
    for (int i = 0; i < kRLSpriteHeaderSize; ++i) {
        const bool reserved = (i >= 12 && i < 20) || (i >= 24 && i < 32);
        EXPECT_EQ(again[i], reserved ? 0 : bytes[i]) << "byte " << i;
    }
}

// What StoreRLSprite writes starts with the sprite's header; the record is
// RecordSize() bytes, which is RLSpriteSize, and loads back with that header.
TEST_F(RLSpriteHeaderTest, TheWritersRecordHoldsTheSpritesHeaderAndItsSize) {
    uint32_t runs[] = {PackXY(0, 0), 3, 0x07E0F800, 0x001F, PackXY(1, 1), 1, 0xFFFF};
    uint32_t edges[] = {PackXY(3, 0), 1 | (0x1234u << 16)};
    uint16_t values[] = {9};
    uint32_t positions[] = {PackXY(-2, 5)};
    RLSprite sprite;
    sprite.runWordCount = 7;
    sprite.runData = runs;
    sprite.edgeWordCount = 2;
    sprite.edgeData = edges;
    sprite.pointCount = 1;
    sprite.pointValues = values;
    sprite.pointPositions = positions;
    sprite.hotSpot = PackXY(2, 1);
    sprite.bounds = Rect{-2, -1, 1, 0};
    Stream stream = ScratchStream();
    StoreRLSprite(&sprite, nullptr, stream.get());
    const std::vector<uint8_t> bytes = ContentsOf(stream.get());
    const RLSpriteHeader h = DecodeRLSpriteHeader(bytes.data());
    EXPECT_EQ(h.RecordSize(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(h.RecordSize(), RLSpriteSize(&sprite));
    EXPECT_EQ(h.hotX, 2);
    EXPECT_EQ(h.hotY, 1);
    EXPECT_EQ(h.bounds.left, -2);
    EXPECT_EQ(h.bounds.bottom, 0);
    EXPECT_TRUE(CheckRLSpriteHeader(h, h.PayloadSize()).ok());

    std::rewind(stream.get());
    RLSpritePtr loaded(LoadRLSprite(nullptr, 0, stream.get()));
    const RLSpriteHeader back = RLSpriteHeaderOf(*loaded);
    EXPECT_EQ(back.runWordCount, h.runWordCount);
    EXPECT_EQ(back.edgeWordCount, h.edgeWordCount);
    EXPECT_EQ(back.pointCount, h.pointCount);
    EXPECT_EQ(back.RecordSize(), h.RecordSize());
}

TEST_F(RLSpriteHeaderTest, TheCheckNamesTheFirstFaultAndItsField) {
    using Fault = RLSpriteHeaderFault;
    const struct {
        int32_t runs, edges, points;
        int64_t left;
        Fault fault;
        int32_t field;
    } cases[] = {
        {3, 2, 1, 3 * 4 + 2 * 4 + 6, Fault::kNone, 0},
        {3, 2, 1, 3 * 4 + 2 * 4 + 5, Fault::kPayloadPastTheEnd, 0},
        {3, 2, 1, -1, Fault::kNone, 0},  // a size the source cannot tell
        {INT32_MAX, INT32_MAX - 1, INT32_MAX, -1, Fault::kNone, 0},
        {INT32_MAX, 0, 0, INT32_MAX, Fault::kPayloadPastTheEnd, 0},
        {-1, -2, -3, 100, Fault::kNegativeRunWords, 0},
        {0, -2, -3, 100, Fault::kNegativeEdgeWords, 4},
        {0, 3, INT32_MIN, 100, Fault::kNegativePoints, 8},
        {0, 3, 0, 100, Fault::kOddEdgeWords, 4},
        {0, 3, 0, 0, Fault::kOddEdgeWords, 4},  // the counts before the payload
    };
    for (const auto& c : cases) {
        RLSpriteHeader h;
        h.runWordCount = c.runs;
        h.edgeWordCount = c.edges;
        h.pointCount = c.points;
        const RLSpriteHeaderCheck check = CheckRLSpriteHeader(h, c.left);
        EXPECT_EQ(check.fault, c.fault) << c.runs << " " << c.edges << " " << c.points;
        EXPECT_EQ(check.fieldOffset, c.field) << c.runs << " " << c.edges << " " << c.points;
    }
}

}  // namespace
