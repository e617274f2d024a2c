#include <Vantrel/Rls.h>

#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RlsTest : public VantrelTest {};

using Bytes = std::vector<uint8_t>;

void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// The record of a one-pixel sprite whose pixel value tells the sprites apart.
Bytes SpriteRecord(uint16_t value) {
    uint32_t runs[3] = {0, 1, value};
    RLSprite sprite;
    sprite.runWordCount = 3;
    sprite.runData = runs;
    sprite.bounds = Rect{0, 0, 0, 0};
    Stream stream = ScratchStream();
    StoreRLSprite(&sprite, nullptr, stream.get());
    return ContentsOf(stream.get());
}

// A .sh stream of count sprites with values first, first + 1, ...
Bytes RayBytes(int count, uint16_t first) {
    Bytes bytes = {0x01, 0xAE, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
    for (int i = 0; i < count; ++i) Append(bytes, SpriteRecord(static_cast<uint16_t>(first + i)));
    return bytes;
}

uint16_t FirstPixel(const RLSprite* sprite) {
    return static_cast<uint16_t>(sprite->runData[2]);
}

Bytes MaskedText(const std::string& text) {
    Bytes bytes;
    for (char c : text) bytes.push_back(static_cast<uint8_t>(c) ^ kRlsTextMask);
    return bytes;
}

// A .shp stream: header, table, rays numbered by their first value (ray r
// holds one sprite of value 100 + r), then the texts, each ended by a zero.
Bytes FamilyBytes(const Bytes& table, int rayCount, const std::vector<std::string>& texts) {
    Bytes bytes = {
        0x02, 0xAE, static_cast<uint8_t>(table.size()), 0, static_cast<uint8_t>(texts.size()), 0};
    Append(bytes, table);
    for (int r = 0; r < rayCount; ++r) Append(bytes, RayBytes(1, static_cast<uint16_t>(100 + r)));
    for (const std::string& text : texts) {
        Append(bytes, MaskedText(text));
        bytes.push_back(0);
    }
    return bytes;
}

TEST_F(RlsTest, EmptyRay) {
    Stream stream = StreamOf({0x01, 0xAE, 0x00, 0x00});
    RlsRayPtr ray(LoadRlsRay(nullptr, 0, stream.get()));
    EXPECT_EQ(ray->count, 0);
    EXPECT_EQ(ray->Get(0), nullptr);
}

TEST_F(RlsTest, SixteenSpritesStoreAndLoadInOrder) {
    RlsRay ray(16);
    for (int i = 0; i < 16; ++i) {
        Stream one = StreamOf(SpriteRecord(static_cast<uint16_t>(i + 1)));
        ray.Set(i, LoadRLSprite(nullptr, 0, one.get()));
    }
    Stream stream = ScratchStream();
    StoreRlsRay(&ray, nullptr, stream.get());
    const Bytes bytes = ContentsOf(stream.get());
    EXPECT_EQ(bytes, RayBytes(16, 1));
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0x01, 0xAE, 0x10, 0x00}));

    std::rewind(stream.get());
    RlsRayPtr loaded(LoadRlsRay(nullptr, 0, stream.get()));
    ASSERT_EQ(loaded->count, 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(FirstPixel(loaded->Get(i)), i + 1);
    EXPECT_EQ(loaded->Get(16), nullptr);
    EXPECT_EQ(loaded->Get(-1), nullptr);
}

TEST_F(RlsTest, RayByPathWithAPitch) {
    const std::string path = testing::TempDir() + "rls_ray.sh";
    Stream source = StreamOf(RayBytes(3, 7));
    RlsRayPtr ray(LoadRlsRay(nullptr, 0, source.get()));
    StoreRlsRay(ray.get(), path.c_str());
    RlsRayPtr bound(LoadRlsRay(path.c_str(), 320));
    ASSERT_EQ(bound->count, 3);
    EXPECT_EQ(spritePitch, 320);
    EXPECT_EQ(FirstPixel(bound->Get(2)), 9);
    std::remove(path.c_str());
    ResetSpritePitch();
}

TEST_F(RlsTest, RayInsideAFamilyStreamLeavesTheStreamAfterIt) {
    Bytes bytes = {0xEE, 0xEE};
    Append(bytes, RayBytes(2, 5));
    const long end = static_cast<long>(bytes.size());
    bytes.push_back(0x77);
    Stream stream = StreamOf(bytes);
    std::fseek(stream.get(), 2, SEEK_SET);
    RlsRayPtr ray(LoadRlsRay(nullptr, 0, stream.get()));
    EXPECT_EQ(ray->count, 2);
    EXPECT_EQ(std::ftell(stream.get()), end);
    EXPECT_EQ(std::fgetc(stream.get()), 0x77);
}

struct BadRay {
    const char* name;
    Bytes bytes;
    const char* message;
};

TEST_F(RlsTest, BrokenRaysAreReported) {
    Bytes shortRecord = RayBytes(2, 1);
    shortRecord.resize(shortRecord.size() - 1);
    Bytes lyingCount = RayBytes(1, 1);
    lyingCount[2] = 0xFF;
    lyingCount[3] = 0xFF;
    const BadRay cases[] = {
        {"empty file", {}, "LoadRlsRay: Unable to read file"},
        {"half a magic", {0x01}, "LoadRlsRay: Unable to read file"},
        {"no count", {0x01, 0xAE, 0x01}, "LoadRlsRay: Unable to read file"},
        {"family magic", {0x02, 0xAE, 0x00, 0x00}, "LoadRlsRay: Not a RlsRay file"},
        {"record cut short", shortRecord, "LoadRLSprite: Unable to read file"},
        {"count beyond the file", lyingCount, "LoadRlsRay: Unable to read file"},
    };
    for (const BadRay& c : cases) {
        SCOPED_TRACE(c.name);
        Stream stream = StreamOf(c.bytes);
        EXPECT_EQ(FatalTextOf([&] { RlsRayPtr(LoadRlsRay(nullptr, 0, stream.get())); }), c.message);
    }
    EXPECT_EQ(FatalTextOf([] { LoadRlsRay("/nonexistent/x.sh"); }),
              "LoadRlsRay: Unable to open file");
}

TEST_F(RlsTest, StoringRefusesWhatTheFileCannotHold) {
    RlsRay holey(2);
    Stream stream = ScratchStream();
    EXPECT_EQ(FatalTextOf([&] { StoreRlsRay(&holey, nullptr, stream.get()); }),
              "StoreRlsRay: Not a storable ray");
    RlsRay empty(0);
    EXPECT_EQ(FatalTextOf([&] { StoreRlsRay(&empty, "/nonexistent/x.sh"); }),
              "StoreRlsRay: Unable to open file");
}

TEST_F(RlsTest, RayOfMoreThan32767SpritesKeepsEveryRecord) {
    constexpr int kCount = 40000;
    RlsRay ray(kCount);
    for (int i = 0; i < kCount; ++i) ray.Set(i, new RLSprite);
    Stream stream = ScratchStream();
    StoreRlsRay(&ray, nullptr, stream.get());
    EXPECT_EQ(std::ftell(stream.get()), 4 + 48L * kCount);
    std::rewind(stream.get());
    RlsRayPtr loaded(LoadRlsRay(nullptr, 0, stream.get()));
    EXPECT_EQ(loaded->count, kCount);
}

struct FamilyCase {
    const char* name;
    Bytes table;
    int rayCount;
    std::vector<int> rayOfSlot;  // -1: empty slot
};

TEST_F(RlsTest, SlotTablesShareRays) {
    const FamilyCase cases[] = {
        {"one ray per slot", {0, 1, 2, 3, 4, 5}, 6, {0, 1, 2, 3, 4, 5}},
        {"two shared rays", {0, 0, 1, 1, 1, 1}, 2, {0, 0, 1, 1, 1, 1}},
        {"ray 1 in slot 1 only", {0, 1, 0, 0, 0, 0}, 2, {0, 1, 0, 0, 0, 0}},
        {"no slots", {}, 0, {}},
        {"handled mark leaves a slot empty", {0, 123, 1}, 2, {0, -1, 1}},
        {"twenty slots", Bytes(20, 0), 1, std::vector<int>(20, 0)},
    };
    for (const FamilyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Stream stream = StreamOf(FamilyBytes(c.table, c.rayCount, {}));
        RlsFamilyPtr family(RlsFamilyLoad(nullptr, 0, stream.get()));
        EXPECT_EQ(std::fgetc(stream.get()), EOF) << "stream stands after the last ray";
        for (size_t k = 0; k < c.rayOfSlot.size(); ++k) {
            RlsRay* ray = family->rays.Get(static_cast<int32_t>(k));
            if (c.rayOfSlot[k] < 0) {
                EXPECT_EQ(ray, nullptr) << k;
                continue;
            }
            ASSERT_NE(ray, nullptr) << k;
            EXPECT_EQ(FirstPixel(ray->Get(0)), 100 + c.rayOfSlot[k]) << k;
            for (size_t j = 0; j < k; ++j) {
                EXPECT_EQ(family->rays.Get(static_cast<int32_t>(j)) == ray,
                          c.rayOfSlot[j] == c.rayOfSlot[k]);
            }
        }
        for (int32_t k = static_cast<int32_t>(c.table.size()); k < family->rays.Size(); ++k) {
            EXPECT_EQ(family->rays.Get(k), nullptr) << k;
        }
        // Deleting the family frees every shared ray once (the fixture
        // checks that nothing leaked; ASan would catch a second free).
    }
}

TEST_F(RlsTest, TextsAreUnmasked) {
    Bytes bytes = FamilyBytes({0}, 1, {"Wasp Mx II", ""});
    Stream stream = StreamOf(bytes);
    RlsFamilyPtr family(RlsFamilyLoad(nullptr, 0, stream.get()));
    ASSERT_EQ(family->texts.Count(), 2);
    EXPECT_STREQ(family->texts.Get(0), "Wasp Mx II");
    EXPECT_STREQ(family->texts.Get(1), "");
    EXPECT_EQ(bytes[bytes.size() - 1], 0);
    EXPECT_EQ(bytes[bytes.size() - 2], 0);
}

TEST_F(RlsTest, LastTextMayEndAtTheEndOfTheFile) {
    Bytes bytes = FamilyBytes({0}, 1, {"first"});
    Append(bytes, MaskedText("second"));
    bytes[4] = 2;  // text count
    Stream stream = StreamOf(bytes);
    RlsFamilyPtr family(RlsFamilyLoad(nullptr, 0, stream.get()));
    ASSERT_EQ(family->texts.Count(), 2);
    EXPECT_STREQ(family->texts.Get(1), "second");
}

TEST_F(RlsTest, MaskCharacterSplitsATextAsTheWriterLeftIt) {
    // The writer stored the mask character 'k' as a zero byte.
    Bytes bytes = FamilyBytes({0}, 1, {"packman"});
    bytes[4] = 2;  // text count
    Stream stream = StreamOf(bytes);
    RlsFamilyPtr family(RlsFamilyLoad(nullptr, 0, stream.get()));
    ASSERT_EQ(family->texts.Count(), 2);
    EXPECT_STREQ(family->texts.Get(0), "pac");
    EXPECT_STREQ(family->texts.Get(1), "man");
}

TEST_F(RlsTest, FamilyByPathWithAPitchBindsEverySprite) {
    const std::string path = testing::TempDir() + "rls_family.shp";
    const Bytes bytes = FamilyBytes({0, 1}, 2, {"x"});
    {
        Stream file(std::fopen(path.c_str(), "wb"));
        std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    }
    RlsFamilyPtr family(RlsFamilyLoad(path.c_str(), 640));
    EXPECT_EQ(spritePitch, 640);
    EXPECT_EQ(family->texts.Count(), 1);
    std::remove(path.c_str());
    ResetSpritePitch();
}

struct BadFamily {
    const char* name;
    Bytes bytes;
    const char* message;
};

TEST_F(RlsTest, BrokenFamiliesAreReportedWithoutLeaks) {
    Bytes tooManySlots = FamilyBytes(Bytes(53, 0), 1, {});
    Bytes longText = FamilyBytes({0}, 1, {std::string(1024, 'a')});
    Bytes longestText = FamilyBytes({0}, 1, {std::string(1023, 'a')});
    Bytes missingRay = FamilyBytes({0, 1}, 1, {"text"});
    Bytes brokenSecondRay = FamilyBytes({0, 1}, 2, {});
    brokenSecondRay.resize(brokenSecondRay.size() - 3);
    Bytes lyingTextCount = FamilyBytes({0}, 1, {});
    lyingTextCount[4] = 0xFF;
    lyingTextCount[5] = 0xFF;
    const BadFamily cases[] = {
        {"empty file", {}, "RlsFamilyLoad: Unable to read file"},
        {"ray magic", {0x01, 0xAE, 0, 0, 0, 0}, "RlsFamilyLoad: Not a RlsFamily file"},
        {"no text count", {0x02, 0xAE, 1, 0, 0}, "RlsFamily: Unable to read file"},
        {"table cut short", {0x02, 0xAE, 3, 0, 0, 0, 0, 0}, "RlsFamily: Unable to read file"},
        {"53 slots", tooManySlots, "RlsFamily: Too many slots"},
        {"text of 1024 characters", longText, "RlsFamily: Text too long"},
        {"text of 1023 characters", longestText, ""},
        {"table promises a missing ray", missingRay, "LoadRlsRay: Not a RlsRay file"},
        {"second ray cut short", brokenSecondRay, "LoadRLSprite: Unable to read file"},
        {"more texts than bytes", lyingTextCount, "RlsFamily: Unable to read file"},
    };
    for (const BadFamily& c : cases) {
        SCOPED_TRACE(c.name);
        Stream stream = StreamOf(c.bytes);
        EXPECT_EQ(FatalTextOf([&] { RlsFamilyPtr(RlsFamilyLoad(nullptr, 0, stream.get())); }),
                  c.message);
    }
    EXPECT_EQ(FatalTextOf([] { RlsFamilyLoad("/nonexistent/x.shp"); }),
              "RlsFamily: Unable to open file");
}

}  // namespace
