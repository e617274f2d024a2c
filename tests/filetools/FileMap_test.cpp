// The file tools' walk of the file layout, on files made byte by byte and on
// a real one: where each ray and record lies, and the first fault with its
// offset.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include <Vantrel/TryLoad.h>

#include "FileMap.h"
#include "SpritePixels.h"

namespace {

using Bytes = std::vector<uint8_t>;

void U16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void I32(Bytes& b, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}
Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
// A record header with the given counts, hot spot (1, 2), bounds -1,-2..3,4,
// and then `payload` bytes of data.
Bytes Record(int32_t runs, int32_t edges, int32_t points, size_t payload) {
    Bytes b;
    I32(b, runs);
    I32(b, edges);
    I32(b, points);
    I32(b, 0);
    I32(b, 0);
    U16(b, 1);
    U16(b, 2);
    I32(b, 0);
    I32(b, 0);
    for (int32_t v : {-1, -2, 3, 4}) I32(b, v);
    b.resize(b.size() + payload, 0);
    return b;
}
Bytes RayHeader(uint16_t count) {
    Bytes b;
    U16(b, 0xAE01);
    U16(b, count);
    return b;
}
Bytes FamilyHeader(uint16_t slots, uint16_t texts, Bytes table) {
    Bytes b;
    U16(b, 0xAE02);
    U16(b, slots);
    U16(b, texts);
    return Cat({b, table});
}
Bytes Text(const std::string& text) {
    Bytes b;
    for (char c : text) b.push_back(static_cast<uint8_t>(c ^ 0x6B));
    b.push_back(0);
    return b;
}

struct FaultCase {
    const char* name;
    Bytes file;
    const char* fault;  // a part of the fault text; "" for a well-formed file
    int64_t offset;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class FileMapFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(FileMapFaults, NamesTheFirstFaultAndItsOffset) {
    const FaultCase& c = GetParam();
    const FileMap map = MapSpriteFile(c.file);
    if (std::string(c.fault).empty()) {
        EXPECT_TRUE(map.ok()) << map.fault;
        return;
    }
    EXPECT_NE(map.fault.find(c.fault), std::string::npos) << map.fault;
    EXPECT_EQ(map.faultOffset, c.offset);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileMapFaults,
    testing::Values(
        FaultCase{"EmptyRay", RayHeader(0), "", 0},
        FaultCase{"OneByte", Bytes{0x01}, "too short", 0},
        FaultCase{"RayHeaderCut", Bytes{0x01, 0xAE, 0x01}, "inside the ray header", 0},
        FaultCase{"UnknownMagic", Bytes{0x03, 0xAE, 0, 0}, "unknown magic 0xAE03", 0},
        FaultCase{"RecordHeaderCut", Cat({RayHeader(1), Bytes(47, 0)}), "inside the record header",
                  4},
        FaultCase{"RecordDataCut", Cat({RayHeader(1), Record(2, 2, 1, 8 + 8 + 5)}),
                  "needs 70 bytes, the file holds 69", 4},
        FaultCase{"SecondRecordCut", Cat({RayHeader(2), Record(0, 0, 0, 0), Record(1, 0, 0, 0)}),
                  "sprite 1: the record needs 52", 52},
        FaultCase{"NegativeEdges", Cat({RayHeader(1), Record(0, -2, 0, 0)}), "negative edge", 8},
        FaultCase{"NegativePoints", Cat({RayHeader(1), Record(0, 0, -1, 0)}), "negative point", 12},
        FaultCase{"OddEdges", Cat({RayHeader(1), Record(0, 3, 0, 12)}), "odd edge word count", 8},
        FaultCase{"BytesAfterRay", Cat({RayHeader(1), Record(0, 0, 0, 0), Bytes{7}}),
                  "1 bytes follow the last record", 52},
        FaultCase{"Family",
                  Cat({FamilyHeader(2, 1, {0, 1}), RayHeader(0), RayHeader(0), Text("a")}), "", 0},
        FaultCase{"FamilyHeaderCut", Bytes{0x02, 0xAE, 6, 0}, "inside the family header", 0},
        FaultCase{"TooManySlots", FamilyHeader(53, 0, Bytes(53, 0)), "53 slots", 2},
        FaultCase{"TableCut", FamilyHeader(6, 0, {0, 0}), "inside the slot table", 6},
        FaultCase{"RayBeforeItsTurn", Cat({FamilyHeader(3, 0, {0, 2, 1}), RayHeader(0)}),
                  "slot 1 names ray 2 before ray 1 appears", 7},
        FaultCase{"FirstSlotNotRayZero", FamilyHeader(1, 0, {1}), "slot 0 names ray 1", 6},
        FaultCase{"SecondRayCut", Cat({FamilyHeader(2, 0, {0, 1}), RayHeader(0), Bytes{0x01}}),
                  "ray 1: the file ends inside the ray header", 12},
        FaultCase{"SecondRayNotARay",
                  Cat({FamilyHeader(2, 0, {0, 1}), RayHeader(0), Bytes{0x02, 0xAE, 0, 0}}),
                  "ray 1: not a ray", 12},
        FaultCase{"TextMissing", Cat({FamilyHeader(1, 2, {0}), RayHeader(0), Text("x")}),
                  "ends before text 1 of 2", 13}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST(FileMap, PlacesRaysRecordsAndTexts) {
    const Bytes file = Cat({FamilyHeader(4, 2, {0, 1, 0, 1}), RayHeader(1),
                            Record(3, 2, 1, 12 + 8 + 6), RayHeader(0), Text("Sample"), Text("")});
    const FileMap map = MapSpriteFile(file);
    ASSERT_TRUE(map.ok()) << map.fault;
    EXPECT_EQ(map.kind, SpriteFileKind::kFamily);
    ASSERT_EQ(map.family.rays.size(), 2u);
    EXPECT_EQ(map.family.rays[0].offset, 10);
    EXPECT_EQ(map.family.rays[0].size, 4 + 74);
    ASSERT_EQ(map.family.rays[0].records.size(), 1u);
    const RecordMap& r = map.family.rays[0].records[0];
    EXPECT_EQ(r.offset, 14);
    EXPECT_EQ(r.size, 74);
    EXPECT_EQ(r.header.hotX, 1);
    EXPECT_EQ(r.header.hotY, 2);
    EXPECT_EQ(r.header.bounds.left, -1);
    EXPECT_EQ(r.header.bounds.bottom, 4);
    EXPECT_EQ(map.family.rays[1].offset, 88);
    EXPECT_EQ(map.family.textsOffset, 92);
    EXPECT_EQ(map.family.texts, (std::vector<std::string>{"Sample", ""}));
    EXPECT_TRUE(map.notes.empty());
}

// A text whose letter k was stored as a zero byte (as dessamor wrote it
// before it refused such texts): the loader's text ends there and the rest
// follows the last text. Not a fault, but noted.
TEST(FileMap, NotesBytesAfterTheLastText) {
    Bytes text = Text("Walk kit");
    const FileMap map = MapSpriteFile(Cat({FamilyHeader(1, 1, {0}), RayHeader(0), text}));
    ASSERT_TRUE(map.ok()) << map.fault;
    EXPECT_EQ(map.family.texts, (std::vector<std::string>{"Wal"}));
    ASSERT_EQ(map.notes.size(), 1u);
    EXPECT_NE(map.notes[0].find("5 bytes follow the last text at byte 15"), std::string::npos)
        << map.notes[0];
}

// A real file (tests/data/real): the map places its records where the
// library's loader reads them, and the report's counts of the loaded sprites
// are the known ones.
TEST(FileMap, ARealRayIsMappedAndCountedAsTheLoaderLoadsIt) {
    const char* named = std::getenv("VANTREL_TEST_DATA");
    if (named == nullptr) GTEST_SKIP() << "VANTREL_TEST_DATA names tests/data";
    const std::string path = std::string(named) + "/real/two-sprites.sh";
    Bytes bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    const FileMap map = MapSpriteFile(bytes);
    ASSERT_TRUE(map.ok()) << map.fault;
    vantrel::LoadError error;
    vantrel::RlsRayPtr ray = vantrel::TryLoadRay(bytes.data(), bytes.size(), 0, error);
    ASSERT_TRUE(ray) << error.message;
    ASSERT_EQ(map.ray.records.size(), 2u);
    const struct {
        int64_t offset, size;
        int32_t runs;
        int64_t pixels;
        int32_t edges;
    } known[] = {{4, 3616, 60, 742, 193}, {3620, 728, 26, 218, 0}};
    int64_t at = 4;
    for (int i = 0; i < 2; ++i) {
        const RecordMap& record = map.ray.records[static_cast<size_t>(i)];
        const RLSprite& sprite = *ray->Get(i);
        EXPECT_EQ(record.offset, known[i].offset);
        EXPECT_EQ(record.offset, at) << "records follow each other";
        EXPECT_EQ(record.size, known[i].size);
        EXPECT_EQ(record.size, RLSpriteSize(&sprite));
        EXPECT_EQ(PackXY(record.header.hotX, record.header.hotY), sprite.hotSpot);
        EXPECT_EQ(record.header.bounds.right, sprite.bounds.right);
        const SpriteCounts counts = CountSprite(sprite);
        EXPECT_EQ(counts.runs, known[i].runs);
        EXPECT_EQ(counts.runPixels, known[i].pixels);
        EXPECT_EQ(counts.edgeRecords, known[i].edges);
        at += record.size;
    }
    EXPECT_EQ(map.ray.size, static_cast<int64_t>(bytes.size()));
}

TEST(FileMap, RaysCalledForSkipsEmptySlots) {
    EXPECT_EQ(RaysCalledFor({0, 0, 1, 123, 2}), 3);
    EXPECT_EQ(RaysCalledFor({}), 0);
    EXPECT_EQ(RaysCalledFor({123}), 0);
}

}  // namespace
