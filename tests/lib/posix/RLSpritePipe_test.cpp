// Sprite records, rays and families read from a stream that cannot tell its
// size (a pipe): the loaders gather the data as it arrives instead of
// trusting the counts, and refuse what a file would refuse, with the same
// text. POSIX only.
#include <unistd.h>

#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Rls.h>
#include "lib/LoadForms.h"
#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RLSpritePipeTest : public VantrelTest {};

// A pipe already holding bytes (less than the pipe's buffer) and closed at
// the writing end.
Stream PipeOf(const std::vector<uint8_t>& bytes) {
    int ends[2];
    if (pipe(ends) != 0) return Stream();
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(ends[1], bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(ends[1]);
    return Stream(fdopen(ends[0], "rb"));
}

std::vector<uint8_t> Header(int32_t runWords, int32_t edgeWords, int32_t points) {
    std::vector<uint8_t> bytes(48, 0);
    StoreU32(&bytes[0], static_cast<uint32_t>(runWords));
    StoreU32(&bytes[4], static_cast<uint32_t>(edgeWords));
    StoreU32(&bytes[8], static_cast<uint32_t>(points));
    StoreU32(&bytes[40], 4);
    return bytes;
}

TEST_F(RLSpritePipeTest, LyingCountsFailAsShortReads) {
    for (int32_t words : {0x7FFFFFFF, 0x01000000}) {
        Stream pipe = PipeOf(Header(words, 0, 0));
        ASSERT_TRUE(pipe);
        ASSERT_LT(BytesLeft(pipe.get()), 0);
        EXPECT_EQ(FatalTextOf([&] { RLSpritePtr(LoadRLSprite(nullptr, 0, pipe.get())); }),
                  "LoadRLSprite: Unable to read file");
    }
}

TEST_F(RLSpritePipeTest, RayFromAPipe) {
    std::vector<uint8_t> bytes = {0x01, 0xAE, 0x02, 0x00};
    for (int i = 0; i < 2; ++i) {
        std::vector<uint8_t> record = Header(3, 2, 0);
        for (uint32_t word : {0u, 1u, 0x00FF00FFu, 0u, 0xABCD0001u}) {
            uint8_t b[4];
            StoreU32(b, word);
            record.insert(record.end(), b, b + 4);
        }
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    Stream pipe = PipeOf(bytes);
    ASSERT_TRUE(pipe);
    RlsRayPtr ray(LoadRlsRay(nullptr, 0, pipe.get()));
    ASSERT_EQ(ray->count, 2);
    EXPECT_EQ(ray->Get(1)->runData[2], 0x00FF00FFu);
    EXPECT_EQ(ray->Get(1)->edgeData[1], 0xABCD0001u);
}

TEST_F(RLSpritePipeTest, EveryHostileFileSaysFromAPipeWhatItSaysFromAFile) {
    using namespace load_forms;
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        Stream pipe = PipeOf(c.bytes);
        ASSERT_TRUE(pipe);
        const std::string fromPipe = FatalTextOf([&] {
            switch (KindOfName(c.name)) {
                case FileKind::kRay:
                    RlsRayPtr(LoadRlsRay(nullptr, c.pitch, pipe.get()));
                    break;
                case FileKind::kFamily:
                    RlsFamilyPtr(RlsFamilyLoad(nullptr, c.pitch, pipe.get()));
                    break;
                case FileKind::kSprite:
                    RLSpritePtr(LoadRLSprite(nullptr, c.pitch, pipe.get()));
                    break;
            }
        });
        EXPECT_EQ(fromPipe, c.message);
    }
}

}  // namespace
