// Reading from a stream that cannot tell its size (a pipe). POSIX only.
#include <unistd.h>

#include <thread>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Tga.h>
#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class TgaPipeTest : public VantrelTest {};

// A pipe cannot tell how much it holds: the reader gathers what arrives.
class PipeFeed {
public:
    explicit PipeFeed(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
        int ends[2];
        if (pipe(ends) != 0) return;
        read_ = fdopen(ends[0], "rb");
        writer_ = std::thread([this, fd = ends[1]] {
            size_t done = 0;
            while (done < bytes_.size()) {
                ssize_t n = write(fd, bytes_.data() + done, bytes_.size() - done);
                if (n <= 0) break;
                done += static_cast<size_t>(n);
            }
            close(fd);
        });
    }
    ~PipeFeed() {
        if (read_ != nullptr) std::fclose(read_);
        if (writer_.joinable()) writer_.join();
    }
    std::FILE* stream() const { return read_; }

private:
    std::vector<uint8_t> bytes_;
    std::FILE* read_ = nullptr;
    std::thread writer_;
};

TEST_F(TgaPipeTest, ReadsFromAStreamOfUnknownSize) {
    TgaLayout layout;
    layout.width = 300, layout.height = 123, layout.depth = 32, layout.descriptor = 0;
    std::vector<uint8_t> rgb = RandomRgb(300, 123, 11);
    std::vector<uint8_t> whole = EncodeTga(layout, rgb);
    {
        PipeFeed feed(whole);
        ASSERT_NE(feed.stream(), nullptr);
        ASSERT_LT(BytesLeft(feed.stream()), 0);
        int32_t w = 0, h = 0;
        uint8_t* image = ReadTgaRgb(nullptr, feed.stream(), w, h);
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(std::equal(rgb.begin(), rgb.end(), image));
        DebugFree(image);
    }
    {
        whole.pop_back();
        PipeFeed feed(whole);
        int32_t w = 0, h = 0;
        EXPECT_EQ(ReadTgaRgb(nullptr, feed.stream(), w, h), nullptr);
    }
    {
        layout.width = layout.height = 65535;
        std::vector<uint8_t> claim = TgaHeaderBytes(layout);
        claim.resize(claim.size() + 100000, 7);
        PipeFeed feed(claim);
        int32_t w = 0, h = 0;
        ResetPeakTrackedBytes();
        EXPECT_EQ(ReadTgaRgb(nullptr, feed.stream(), w, h), nullptr);
        EXPECT_LT(PeakTrackedBytes(), size_t{1} << 20);
    }
}

}  // namespace
