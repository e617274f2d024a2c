#include <Vantrel/RLSprite.h>

#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RLSpriteTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetSpritePitch();
    }
};

uint32_t Pair(uint32_t low, uint32_t high) {
    return low | (high << 16);
}

// An unbound sprite described by its words, owning copies of them in tracked
// buffers as a loaded sprite would.
struct SpriteRecipe {
    int16_t hotX = 0, hotY = 0;
    Rect bounds{0, 0, 0, 0};
    std::vector<uint32_t> runs;
    std::vector<uint32_t> edges;
    std::vector<uint16_t> pointValues;
    std::vector<uint32_t> pointPositions;
};

template <typename T>
T* TrackedCopy(const std::vector<T>& values) {
    if (values.empty()) return nullptr;
    T* copy = DebugAllocArray<T>(values.size(), "tests", __LINE__);
    std::copy(values.begin(), values.end(), copy);
    return copy;
}

RLSpritePtr MakeSprite(const SpriteRecipe& recipe) {
    RLSpritePtr sprite(new RLSprite);
    sprite->hotSpot = PackXY(recipe.hotX, recipe.hotY);
    sprite->bounds = recipe.bounds;
    sprite->runWordCount = static_cast<int32_t>(recipe.runs.size());
    sprite->runData = TrackedCopy(recipe.runs);
    sprite->edgeWordCount = static_cast<int32_t>(recipe.edges.size());
    sprite->edgeData = TrackedCopy(recipe.edges);
    sprite->pointCount = static_cast<int32_t>(recipe.pointValues.size());
    sprite->pointValues = TrackedCopy(recipe.pointValues);
    sprite->pointPositions = TrackedCopy(recipe.pointPositions);
    return sprite;
}

// A 6 x 3 sprite with its hot spot at (2, 1): two runs, two edge records,
// two points.
SpriteRecipe SampleRecipe() {
    SpriteRecipe recipe;
    recipe.hotX = 2;
    recipe.hotY = 1;
    recipe.bounds = Rect{-2, -1, 3, 1};
    recipe.runs = {Pair(1, 0),
                   3,
                   Pair(0xF800, 0x07E0),
                   Pair(0x001F, 0),
                   Pair(static_cast<uint16_t>(-1), 2),
                   2,
                   Pair(0x1234, 0xFFFF)};
    recipe.edges = {Pair(5, 0), Pair(2, 0x7BEF), Pair(0, 1), Pair(4, 0x18E3)};
    recipe.pointValues = {7, 65535};
    recipe.pointPositions = {Pair(1, 1), Pair(static_cast<uint16_t>(-4), 9)};
    return recipe;
}

std::vector<uint32_t> Words(const uint32_t* data, int32_t count) {
    return data == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(data, data + count);
}

void ExpectSameSprite(const RLSprite& a, const RLSprite& b) {
    EXPECT_EQ(a.runWordCount, b.runWordCount);
    EXPECT_EQ(a.edgeWordCount, b.edgeWordCount);
    EXPECT_EQ(a.pointCount, b.pointCount);
    EXPECT_EQ(a.hotSpot, b.hotSpot);
    EXPECT_EQ(a.bounds.left, b.bounds.left);
    EXPECT_EQ(a.bounds.top, b.bounds.top);
    EXPECT_EQ(a.bounds.right, b.bounds.right);
    EXPECT_EQ(a.bounds.bottom, b.bounds.bottom);
    EXPECT_EQ(Words(a.runData, a.runWordCount), Words(b.runData, b.runWordCount));
    EXPECT_EQ(Words(a.edgeData, a.edgeWordCount), Words(b.edgeData, b.edgeWordCount));
    EXPECT_EQ(Words(a.pointPositions, a.pointCount), Words(b.pointPositions, b.pointCount));
    for (int32_t i = 0; i < a.pointCount && i < b.pointCount; ++i) {
        EXPECT_EQ(a.pointValues[i], b.pointValues[i]);
    }
}

TEST_F(RLSpriteTest, RecordRoundTripsFieldByField) {
    const SpriteRecipe recipes[] = {SampleRecipe(), SpriteRecipe{}};
    for (const SpriteRecipe& recipe : recipes) {
        RLSpritePtr stored = MakeSprite(recipe);
        Stream stream = ScratchStream();
        StoreRLSprite(stored.get(), nullptr, stream.get());
        EXPECT_EQ(std::ftell(stream.get()), RLSpriteSize(stored.get()));
        std::rewind(stream.get());
        RLSpritePtr loaded(LoadRLSprite(nullptr, 0, stream.get()));
        ExpectSameSprite(*stored, *loaded);
        EXPECT_EQ(std::ftell(stream.get()), RLSpriteSize(stored.get()));
    }
}

TEST_F(RLSpriteTest, EmptySpriteIsExactlyTheHeader) {
    RLSpritePtr empty = MakeSprite(SpriteRecipe{});
    Stream stream = ScratchStream();
    StoreRLSprite(empty.get(), nullptr, stream.get());
    EXPECT_EQ(ContentsOf(stream.get()), std::vector<uint8_t>(48, 0));
    std::rewind(stream.get());
    RLSpritePtr loaded(LoadRLSprite(nullptr, 0, stream.get()));
    EXPECT_EQ(loaded->runData, nullptr);
    EXPECT_EQ(loaded->edgeData, nullptr);
    EXPECT_EQ(loaded->pointValues, nullptr);
    EXPECT_EQ(loaded->pointPositions, nullptr);
}

TEST_F(RLSpriteTest, HeaderLayoutWithZeroReservedWords) {
    RLSpritePtr sprite = MakeSprite(SampleRecipe());
    Stream stream = ScratchStream();
    StoreRLSprite(sprite.get(), nullptr, stream.get());
    const std::vector<uint8_t> bytes = ContentsOf(stream.get());
    ASSERT_EQ(bytes.size(), 48u + 4 * 7 + 4 * 4 + 6 * 2);
    EXPECT_EQ(LoadI32(&bytes[0]), 7);
    EXPECT_EQ(LoadI32(&bytes[4]), 4);
    EXPECT_EQ(LoadI32(&bytes[8]), 2);
    for (int reserved : {12, 16, 24, 28}) EXPECT_EQ(LoadU32(&bytes[reserved]), 0u) << reserved;
    EXPECT_EQ(LoadI16(&bytes[20]), 2);
    EXPECT_EQ(LoadI16(&bytes[22]), 1);
    EXPECT_EQ(LoadI32(&bytes[32]), -2);
    EXPECT_EQ(LoadI32(&bytes[44]), 1);
    EXPECT_EQ(LoadU32(&bytes[48]), Pair(1, 0));
    // Point values follow the edge data, then the positions.
    EXPECT_EQ(LoadU16(&bytes[48 + 44]), 7);
    EXPECT_EQ(LoadU16(&bytes[48 + 46]), 65535);
    EXPECT_EQ(LoadU32(&bytes[48 + 48]), Pair(1, 1));
}

TEST_F(RLSpriteTest, BackToBackRecordsOnOneStream) {
    RLSpritePtr first = MakeSprite(SampleRecipe());
    SpriteRecipe other = SampleRecipe();
    other.hotX = 3;
    other.bounds.left = -3;
    other.bounds.right = 2;
    other.pointValues.clear();
    other.pointPositions.clear();
    RLSpritePtr second = MakeSprite(other);
    Stream stream = ScratchStream();
    StoreRLSprite(first.get(), nullptr, stream.get());
    StoreRLSprite(second.get(), nullptr, stream.get());
    std::rewind(stream.get());
    RLSpritePtr a(LoadRLSprite(nullptr, 0, stream.get()));
    RLSpritePtr b(LoadRLSprite(nullptr, 0, stream.get()));
    ExpectSameSprite(*first, *a);
    ExpectSameSprite(*second, *b);
    EXPECT_EQ(std::fgetc(stream.get()), EOF);
}

TEST_F(RLSpriteTest, StoreAndLoadByPath) {
    const std::string path = testing::TempDir() + "rlsprite_by_path.bin";
    RLSpritePtr sprite = MakeSprite(SampleRecipe());
    StoreRLSprite(sprite.get(), path.c_str());
    RLSpritePtr loaded(LoadRLSprite(path.c_str()));
    ExpectSameSprite(*sprite, *loaded);
    std::remove(path.c_str());
    EXPECT_EQ(FatalTextOf([&] { LoadRLSprite(path.c_str()); }),
              "LoadRLSprite: Unable to open file");
    EXPECT_EQ(FatalTextOf([&] { StoreRLSprite(sprite.get(), "/nonexistent-folder/x.bin"); }),
              "StoreRLSprite: Unable to open file");
}

TEST_F(RLSpriteTest, BindingAtPitch640) {
    SpriteRecipe recipe;
    recipe.hotX = 31;
    recipe.hotY = 31;
    recipe.bounds = Rect{-31, -31, 10, 10};
    recipe.runs = {Pair(4, 0),     1, Pair(0xF800, 0), Pair(static_cast<uint16_t>(-3), 1), 1,
                   Pair(0x07E0, 0)};
    recipe.edges = {Pair(5, 2), Pair(3, 0xFFFF)};
    recipe.pointValues = {0xFFFF};
    recipe.pointPositions = {Pair(2, 3)};
    RLSpritePtr sprite = MakeSprite(recipe);
    BindRLSprite(sprite.get(), 640);
    EXPECT_EQ(spritePitch, 640);
    EXPECT_EQ(static_cast<int32_t>(sprite->runData[0]), 4);
    EXPECT_EQ(static_cast<int32_t>(sprite->runData[3]), 637);
    EXPECT_EQ(static_cast<int32_t>(sprite->edgeData[0]), 1285);
    EXPECT_EQ(static_cast<int32_t>(sprite->hotSpot), 19871);
    EXPECT_EQ(static_cast<int32_t>(sprite->pointPositions[0]), 1922);
    EXPECT_EQ(sprite->pointValues[0], 0xFFFF);
    EXPECT_EQ(sprite->runData[2], Pair(0xF800, 0));
}

TEST_F(RLSpriteTest, BindingIn555ConvertsEveryPixelAndKeepsLevels) {
    SelectPixelLayout555();
    RLSpritePtr sprite = MakeSprite(SampleRecipe());
    BindRLSprite(sprite.get(), 100);
    // Run 1: three pixels; run 2: two pixels.
    EXPECT_EQ(sprite->runData[2], Pair(ConvertFrom565(0xF800), ConvertFrom565(0x07E0)));
    EXPECT_EQ(sprite->runData[3] & 0xFFFF, ConvertFrom565(0x001F));
    EXPECT_EQ(sprite->runData[6], Pair(ConvertFrom565(0x1234), ConvertFrom565(0xFFFF)));
    EXPECT_EQ(sprite->edgeData[1], Pair(2, ConvertFrom565(0x7BEF)));
    EXPECT_EQ(sprite->edgeData[3], Pair(4, ConvertFrom565(0x18E3)));
    EXPECT_EQ(static_cast<int32_t>(sprite->runData[4]), -1 + 2 * 100);
}

TEST_F(RLSpriteTest, LoadingWithAPitchBinds) {
    RLSpritePtr sprite = MakeSprite(SampleRecipe());
    Stream stream = ScratchStream();
    StoreRLSprite(sprite.get(), nullptr, stream.get());
    std::rewind(stream.get());
    RLSpritePtr bound(LoadRLSprite(nullptr, 320, stream.get()));
    EXPECT_EQ(spritePitch, 320);
    EXPECT_EQ(static_cast<int32_t>(bound->hotSpot), 2 + 320);
    EXPECT_EQ(static_cast<int32_t>(bound->edgeData[2]), 320);
}

std::vector<uint8_t> RecordBytes(const SpriteRecipe& recipe) {
    RLSpritePtr sprite = MakeSprite(recipe);
    Stream stream = ScratchStream();
    StoreRLSprite(sprite.get(), nullptr, stream.get());
    return ContentsOf(stream.get());
}

// One change to the bytes of SampleRecipe's record (offsets: header fields at
// 0..47, run words from 48, edge words from 76, points from 92).
struct Damage {
    const char* name;
    size_t offset;  // where to write value (4 bytes), unless truncating
    uint32_t value;
    size_t keepBytes;  // 0: keep all
    int32_t pitch;
    const char* message;
};

constexpr size_t kRun0 = 48;
constexpr size_t kRun1 = 48 + 16;
constexpr size_t kEdges = 48 + 28;

TEST_F(RLSpriteTest, MalformedRecordsAreRefusedWhole) {
    const uint32_t minus1 = 0xFFFFFFFFu;
    const Damage cases[] = {
        {"header cut short", 0, 0, 20, 0, "LoadRLSprite: Unable to read file"},
        {"data cut short", 0, 0, 48 + 28 + 16 + 11, 0, "LoadRLSprite: Unable to read file"},
        {"run words beyond the file", 0, 0x7FFFFFFF, 0, 0, "LoadRLSprite: Unable to read file"},
        {"points beyond the file", 8, 0x10000000, 0, 0, "LoadRLSprite: Unable to read file"},
        {"negative run words", 0, minus1, 0, 0, "LoadRLSprite: Negative count"},
        {"negative edge words", 4, 0xFFFFFFFEu, 0, 0, "LoadRLSprite: Negative count"},
        {"negative points", 8, 0x80000000u, 0, 0, "LoadRLSprite: Negative count"},
        {"odd edge words", 4, 3, 0, 0, "LoadRLSprite: Odd edge word count"},
        {"run count past the run words", kRun1 + 4, 5, 0, 0,
         "LoadRLSprite: Run past the end of the run data"},
        {"huge run count", kRun0 + 4, 0x7FFFFFFF, 0, 0,
         "LoadRLSprite: Run past the end of the run data"},
        {"run of no pixels", kRun0 + 4, 0, 0, 0, "LoadRLSprite: Run of no pixels"},
        {"negative run count", kRun1 + 4, minus1, 0, 0, "LoadRLSprite: Run of no pixels"},
        {"run right of the bounds", kRun0, Pair(4, 0), 0, 0,
         "LoadRLSprite: Run outside the sprite"},
        {"run left of the origin", kRun0, Pair(0xFFFF, 0), 0, 0,
         "LoadRLSprite: Run outside the sprite"},
        {"run below the bounds", kRun1, Pair(0xFFFF, 3), 0, 0,
         "LoadRLSprite: Run outside the sprite"},
        {"bounds too narrow", 40, 0, 0, 0, "LoadRLSprite: Run outside the sprite"},
        {"run overlapping the previous", kRun1, Pair(1, 0), 0, 0,
         "LoadRLSprite: Runs out of order"},
        {"run above the previous", kRun1, Pair(0, 0xFFFF), 0, 0, "LoadRLSprite: Runs out of order"},
        {"edge level 0", kEdges + 4, Pair(0, 0x7BEF), 0, 0, "LoadRLSprite: Bad edge level"},
        {"edge level 5", kEdges + 12, Pair(5, 0x7BEF), 0, 0, "LoadRLSprite: Bad edge level"},
        {"edge outside", kEdges, Pair(6, 0), 0, 0, "LoadRLSprite: Edge outside the sprite"},
        {"edge above the origin", kEdges, Pair(0, 0xFFFF), 0, 0,
         "LoadRLSprite: Edge outside the sprite"},
        {"edge left of the previous", kEdges + 8, Pair(4, 0), 0, 0,
         "LoadRLSprite: Edge records out of order"},
        {"edge repeated", kEdges + 8, Pair(5, 0), 0, 0, "LoadRLSprite: Edge records out of order"},
        {"bounds out of range", 32, 0x80000000u, 0, 0, "LoadRLSprite: Bounds out of range"},
        {"offsets overflow at the pitch", 0, 7, 0, 0x40000000,
         "LoadRLSprite: Sprite too large for pitch"},
        {"intact", 0, 7, 0, 0, ""},
        {"intact, bound", 0, 7, 0, 640, ""},
    };
    const std::vector<uint8_t> good = RecordBytes(SampleRecipe());
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = good;
        if (c.keepBytes != 0) {
            bytes.resize(c.keepBytes);
        } else {
            StoreU32(&bytes[c.offset], c.value);
        }
        Stream stream = StreamOf(bytes);
        EXPECT_EQ(FatalTextOf([&] { RLSpritePtr(LoadRLSprite(nullptr, c.pitch, stream.get())); }),
                  c.message);
    }
}

TEST_F(RLSpriteTest, CheckRefusesBuffersThatAreMissing) {
    RLSprite sprite;
    sprite.runWordCount = 3;
    EXPECT_STREQ(FindRLSpriteFault(sprite), "Missing data");
    EXPECT_FALSE(RLSpriteIsWellFormed(sprite));
    sprite.runWordCount = 0;
    EXPECT_TRUE(RLSpriteIsWellFormed(sprite));
}

TEST_F(RLSpriteTest, StoringABrokenSpriteIsRefused) {
    RLSprite sprite;
    sprite.edgeWordCount = 2;
    Stream stream = ScratchStream();
    EXPECT_EQ(FatalTextOf([&] { StoreRLSprite(&sprite, nullptr, stream.get()); }),
              "StoreRLSprite: Not a storable sprite");
    EXPECT_EQ(FatalTextOf([&] { StoreRLSprite(nullptr, nullptr, stream.get()); }),
              "StoreRLSprite: Not a storable sprite");
}

TEST_F(RLSpriteTest, WriteFailureIsReported) {
    RLSpritePtr sprite = MakeSprite(SampleRecipe());
    Stream readOnly(std::fopen("/dev/null", "rb"));
    if (!readOnly) GTEST_SKIP() << "no /dev/null";
    EXPECT_EQ(FatalTextOf([&] { StoreRLSprite(sprite.get(), nullptr, readOnly.get()); }),
              "StoreRLSprite: Unable to write to file");
}

TEST_F(RLSpriteTest, SpritePitchStartsAtTheScreenWidth) {
    EXPECT_EQ(spritePitch, 640);
}

}  // namespace
