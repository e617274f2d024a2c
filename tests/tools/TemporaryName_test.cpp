// The names of temporary output files: what is made, and exactly which names
// a later run takes for a leftover of a given target.
#include "shell/platform/TemporaryName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(TemporaryName, ASuffixNamesItsWriter) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {1, 0}, {4242, 0xdeadbeef}, {4194304, 0x0000000f}, {0xFFFFFFFFu, 0xFFFFFFFFu}};
    for (const auto& [pid, random] : cases) {
        std::string name = "wasp.sh" + TemporarySuffix(pid, random);
        EXPECT_EQ(TemporaryWriter(name, "wasp.sh"), pid) << name;
    }
    EXPECT_EQ(TemporarySuffix(77, 0xab), ".tmp-77-000000ab");
}

TEST(TemporaryName, OnlyTheExactFormOfThisTargetIsALeftover) {
    struct Case {
        const char* name;
        std::uint32_t writer;  // 0: not a temporary of wasp.sh
    };
    const Case cases[] = {
        {"wasp.sh.tmp-123-0a1b2c3d", 123},
        {"wasp.sh.tmp-4294967295-ffffffff", 4294967295u},
        {"wasp.sh", 0},
        {"wasp.sh.tmp-", 0},
        {"wasp.sh.tmp-123-", 0},
        {"wasp.sh.tmp--0a1b2c3d", 0},
        {"wasp.sh.tmp-0-0a1b2c3d", 0},           // no process 0
        {"wasp.sh.tmp-0123-0a1b2c3d", 0},        // leading zero
        {"wasp.sh.tmp-4294967296-0a1b2c3d", 0},  // beyond 32 bits
        {"wasp.sh.tmp-99999999999-0a1b2c3d", 0},
        {"wasp.sh.tmp-12a-0a1b2c3d", 0},
        {"wasp.sh.tmp-+12-0a1b2c3d", 0},
        {"wasp.sh.tmp-123-0a1b2c3", 0},    // 7 digits
        {"wasp.sh.tmp-123-0a1b2c3d4", 0},  // 9 digits
        {"wasp.sh.tmp-123-0A1B2C3D", 0},   // upper case
        {"wasp.sh.tmp-123-0a1b2c3g", 0},
        {"wasp.sh.tmp-123-0a1b2c3d.bak", 0},
        {"wasp.sh.tmp-123-0a1b2c3d-1", 0},
        {"wasp.sh.tmp-XyZ123", 0},         // the random names of old versions
        {"wasp.shp.tmp-123-0a1b2c3d", 0},  // another target
        {"xwasp.sh.tmp-123-0a1b2c3d", 0},
        {"Wasp.sh.tmp-123-0a1b2c3d", 0},
        {"wasp.sh.TMP-123-0a1b2c3d", 0},
        {"wasp.sh.tmp-123-0a1b2c3d/", 0},
        {"wasp.sh.tmp-1 -0a1b2c3d", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TemporaryWriter(c.name, "wasp.sh"), c.writer) << c.name;
    }
    EXPECT_EQ(TemporaryWriter(".tmp-123-0a1b2c3d", ""), 0u) << "a target needs a name";
}

}  // namespace
