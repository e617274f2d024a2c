// The safe face's loaders against the classic ones, in every form (path,
// memory, reader in pieces, reader with skip, classic stream): on the hostile
// corpus (tests/data/hostile, each file with what it must say), on every cut
// of two real files, and on the whole files. A load that fails leaves no
// tracked block and no changed spritePitch behind; a reader's lying counts
// cost no more memory than its data.
#include <Vantrel/TryLoad.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lib/LoadForms.h"
#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

using namespace load_forms;

const std::filesystem::path kData = TestDataFolder();

class TryLoadTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetSpritePitch();
    }
    void TearDown() override {
        ResetSpritePitch();
        VantrelTest::TearDown();
    }

    // Loads in one form and checks what a load must leave behind: no tracked
    // block, and spritePitch as it was unless sprites were bound.
    Outcome LoadAndCheck(FileKind kind, const Bytes& bytes, int32_t pitch, Form form) {
        constexpr int32_t kSentinel = 777;
        spritePitch = kSentinel;
        const int blocks = CountBlocks();
        const size_t live = LiveTrackedBytes();
        ResetPeakTrackedBytes();
        const Outcome outcome = LoadInForm(kind, bytes, pitch, form, scratch_);
        EXPECT_EQ(CountBlocks(), blocks);
        EXPECT_EQ(LiveTrackedBytes(), live);
        // Whatever a header claims, a load takes about what the data holds.
        EXPECT_LT(PeakTrackedBytes() - live, 2 * bytes.size() + (size_t{1} << 16));
        if (!outcome.content.empty() && pitch != 0 &&
            outcome.content.find('|') != std::string::npos)
            EXPECT_EQ(spritePitch, pitch);
        else
            EXPECT_EQ(spritePitch, kSentinel) << "a load that bound nothing changed spritePitch";
        return outcome;
    }

    ScratchFolder folder_;
    const std::string scratch_ = folder_.PathOf("input");
};

std::string FormName(Form form) {
    const char* names[] = {"path", "memory", "reader by bytes", "reader with skip", "classic"};
    return names[static_cast<int>(form)];
}

// What a form must say, given what the memory form said: the classic stream
// gives no offset, only the path form a path.
Outcome AsInForm(Outcome outcome, Form form, const std::string& path) {
    if (form == Form::kPath) outcome.path = path;
    if (form == Form::kClassicStream) outcome.offset = -1;
    return outcome;
}

TEST_F(TryLoadTest, EveryHostileFileSaysWhatItMustInEveryForm) {
    const std::vector<HostileCase> cases = HostileCases();
    EXPECT_GE(cases.size(), 40u) << "tests/data/hostile/expected.txt";
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FileKind kind = KindOfName(c.name);
        const Outcome memory = LoadAndCheck(kind, c.bytes, c.pitch, Form::kMemory);
        EXPECT_EQ(memory.message, c.message);
        EXPECT_EQ(memory.offset, c.offset);
        EXPECT_EQ(memory.content.empty(), !c.message.empty());
        for (Form form : kForms) {
            EXPECT_EQ(LoadAndCheck(kind, c.bytes, c.pitch, form), AsInForm(memory, form, scratch_))
                << FormName(form);
        }
    }
}

// The layout of a loaded file, from the sizes of its records, to say where
// each cut must be refused.
struct RayLayout {
    int64_t at = 0;
    std::vector<int64_t> records;  // sizes
};

// What the loaders say about the ray at ray.at in a file cut to n bytes, or
// an empty message when the cut leaves it whole; end gets its end.
std::pair<std::string, int64_t> RayCutAt(const RayLayout& ray, int64_t n, int64_t& end) {
    const std::string read = "LoadRlsRay: Unable to read file";
    if (n < ray.at + 2) return {read, ray.at};
    if (n < ray.at + 4 || n - (ray.at + 4) < 48 * static_cast<int64_t>(ray.records.size()))
        return {read, ray.at + 2};
    end = ray.at + 4;
    for (int64_t size : ray.records) {
        if (end + size > n) return {"LoadRLSprite: Unable to read file", end};
        end += size;
    }
    return {"", -1};
}

RayLayout LayoutOf(const RlsRay& ray, int64_t at) {
    RayLayout layout{at, {}};
    for (int32_t i = 0; i < ray.count; ++i) layout.records.push_back(RLSpriteSize(ray.Get(i)));
    return layout;
}

TEST_F(TryLoadTest, EveryCutOfARealRayIsRefusedAlikeInEveryForm) {
    const Bytes whole = ReadFileBytes(kData / "real/two-sprites.sh");
    RlsRayPtr full(LoadRlsRay((kData / "real/two-sprites.sh").string().c_str()));
    ASSERT_EQ(full->count, 2);
    ASSERT_GT(full->Get(0)->edgeWordCount, 0) << "a real file with edge records";
    const RayLayout layout = LayoutOf(*full, 0);
    for (size_t n = 0; n <= whole.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        int64_t end = 0;
        const auto [message, offset] = RayCutAt(layout, static_cast<int64_t>(n), end);
        EXPECT_EQ(message.empty(), n == whole.size());
        const Outcome memory = LoadAndCheck(FileKind::kRay, cut, 320, Form::kMemory);
        ASSERT_EQ(memory.message, message);
        ASSERT_EQ(memory.offset, offset);
        for (Form form : kForms) {
            ASSERT_EQ(LoadAndCheck(FileKind::kRay, cut, 320, form),
                      AsInForm(memory, form, scratch_))
                << FormName(form);
        }
    }
}

TEST_F(TryLoadTest, EveryCutOfARealFamilyIsRefusedUpToItsTextsAlikeInEveryForm) {
    const std::string path = (kData / "real/six-slots.shp").string();
    const Bytes whole = ReadFileBytes(path);
    vantrel::LoadError error;
    vantrel::RlsFamilyPtr full = vantrel::TryLoadFamily(path.c_str(), 640, error);
    ASSERT_TRUE(full) << error.message;
    EXPECT_EQ(error.message, "");
    EXPECT_EQ(spritePitch, 640);
    EXPECT_EQ(full->slotCount, 6);
    EXPECT_EQ(full->rays.Size(), 16);
    EXPECT_EQ(full->Slot(6), nullptr);
    EXPECT_EQ(full->Slot(-1), nullptr);
    EXPECT_EQ(full->Slot(0), full->Slot(2)) << "slots that share a ray";
    EXPECT_EQ(full->Slot(5)->Get(0)->boundPitch, 640) << "a shared ray is bound once";
    ASSERT_EQ(full->texts.Count(), 2);

    std::vector<RayLayout> rays;
    int64_t at = 6 + full->slotCount;
    for (int32_t k = 0; k < full->slotCount; ++k) {
        bool seen = false;
        for (int32_t j = 0; j < k; ++j) seen = seen || full->Slot(j) == full->Slot(k);
        if (seen) continue;
        rays.push_back(LayoutOf(*full->Slot(k), at));
        for (int64_t size : rays.back().records) at += size;
        at += 4;
    }
    const int64_t textsAt = at;
    for (size_t n = 0; n <= whole.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        const auto size = static_cast<int64_t>(n);
        std::pair<std::string, int64_t> expected{"", -1};
        if (size < 2) {
            expected = {"RlsFamilyLoad: Unable to read file", 0};
        } else if (size < 6) {
            expected = {"RlsFamily: Unable to read file", size < 4 ? 2 : 4};
        } else if (size < 6 + full->slotCount) {
            expected = {"RlsFamily: Unable to read file", 6};
        } else {
            for (const RayLayout& ray : rays) {
                int64_t end = 0;
                expected = RayCutAt(ray, size, end);
                if (!expected.first.empty()) break;
            }
            // Two texts: the first must at least have begun.
            if (expected.first.empty() && size == textsAt)
                expected = {"RlsFamily: Unable to read file", textsAt};
        }
        const Outcome memory = LoadAndCheck(FileKind::kFamily, cut, 320, Form::kMemory);
        ASSERT_EQ(memory.message, expected.first);
        ASSERT_EQ(memory.offset, expected.second);
        for (Form form : kForms) {
            ASSERT_EQ(LoadAndCheck(FileKind::kFamily, cut, 320, form),
                      AsInForm(memory, form, scratch_))
                << FormName(form);
        }
    }
}

TEST_F(TryLoadTest, ErrorsNameThePathAndAreEmptiedByTheNextLoad) {
    const std::string absent = folder_.PathOf("absent.sh");
    const struct {
        const char* message;
        std::function<bool(vantrel::LoadError&)> load;
    } cases[] = {
        {"LoadRlsRay: Unable to open file",
         [&](auto& e) { return !!vantrel::TryLoadRay(absent.c_str(), 0, e); }},
        {"RlsFamily: Unable to open file",
         [&](auto& e) { return !!vantrel::TryLoadFamily(absent.c_str(), 0, e); }},
        {"LoadRLSprite: Unable to open file",
         [&](auto& e) { return !!vantrel::TryLoadSprite(absent.c_str(), 0, e); }},
    };
    for (const auto& c : cases) {
        vantrel::LoadError error{"stale", "stale", 9};
        EXPECT_FALSE(c.load(error));
        EXPECT_EQ(error.message, c.message);
        EXPECT_EQ(error.path, absent);
        EXPECT_EQ(error.offset, -1);
    }
    EXPECT_EQ(FatalTextOf([&] { LoadRlsRay(absent.c_str()); }), "LoadRlsRay: Unable to open file");
    const Bytes empty = {0x01, 0xAE, 0, 0};
    vantrel::LoadError error{"stale", "stale", 9};
    EXPECT_TRUE(vantrel::TryLoadRay(empty.data(), empty.size(), 0, error));
    EXPECT_EQ(error.message, "");
    EXPECT_EQ(error.path, "");
    EXPECT_EQ(error.offset, -1);
    EXPECT_FALSE(vantrel::TryLoadRay(nullptr, 4, 0, error)) << "null bytes hold nothing";
    EXPECT_EQ(error.message, "LoadRlsRay: Unable to read file");
    EXPECT_FALSE(vantrel::TryLoadRay(vantrel::ReadCallbacks{}, nullptr, 0, error))
        << "a reader without read gives nothing";
    EXPECT_EQ(error.offset, 0);
}

}  // namespace
