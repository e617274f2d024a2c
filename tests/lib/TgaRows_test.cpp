#include "TgaRows.h"

#include <vector>

#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class TgaRowsTest : public VantrelTest {};

// Every count around the widths the word and vector loops step by (4, 5, 8,
// 16 pixels) and their remainders, at every start alignment within a word.
std::vector<int> Counts() {
    std::vector<int> counts;
    for (int n = 0; n <= 70; ++n) counts.push_back(n);
    for (int n : {255, 256, 257, 1023, 1024, 1025}) counts.push_back(n);
    return counts;
}

// B, G, R -> R, G, B one byte at a time.
std::vector<uint8_t> ReferenceSwap(const uint8_t* p, int count, int stride) {
    std::vector<uint8_t> out;
    for (int i = 0; i < count; ++i, p += stride) out.insert(out.end(), {p[2], p[1], p[0]});
    return out;
}

TEST_F(TgaRowsTest, EveryConversionMatchesTheBytewiseReference) {
    for (int count : Counts()) {
        for (int offset = 0; offset < 4; ++offset) {
            SCOPED_TRACE(testing::Message() << count << " pixels at offset " << offset);
            // Guard bytes around each buffer catch writes past either end.
            std::vector<uint8_t> source = RandomRgb(count + 2, 2, uint32_t(count * 4 + offset));

            std::vector<uint8_t> inPlace(source.begin(), source.begin() + offset + 3 * count + 8);
            SwapBgrPixels(inPlace.data() + offset, count);
            std::vector<uint8_t> expected = ReferenceSwap(source.data() + offset, count, 3);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), inPlace.begin() + offset));
            ASSERT_TRUE(std::equal(inPlace.begin() + offset + 3 * count, inPlace.end(),
                                   source.begin() + offset + 3 * count));

            std::vector<uint8_t> rowA(source.begin(), source.begin() + 3 * count + 8);
            std::vector<uint8_t> rowB(source.rbegin(), source.rbegin() + 3 * count + 8);
            std::vector<uint8_t> originalA = rowA, originalB = rowB;
            SwapBgrRows(rowA.data(), rowB.data(), count);
            ASSERT_EQ(std::vector<uint8_t>(rowA.begin(), rowA.begin() + 3 * count),
                      ReferenceSwap(originalB.data(), count, 3));
            ASSERT_EQ(std::vector<uint8_t>(rowB.begin(), rowB.begin() + 3 * count),
                      ReferenceSwap(originalA.data(), count, 3));
            ASSERT_EQ(rowA[3 * count], originalA[3 * count]);
            ASSERT_EQ(rowB[3 * count + 7], originalB[3 * count + 7]);

            std::vector<uint8_t> bgrx = RandomRgb(count + 3, 4, uint32_t(count + 99));
            std::vector<uint8_t> packed(offset + 3 * count + 8, 0xAA);
            ConvertBgrxPixels(bgrx.data(), packed.data() + offset, count);
            expected = ReferenceSwap(bgrx.data(), count, 4);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), packed.begin() + offset));
            for (size_t i = offset + 3 * size_t(count); i < packed.size(); ++i) {
                ASSERT_EQ(packed[i], 0xAA) << "written past the end";
            }

            std::vector<uint8_t> grey(source.begin(), source.begin() + count);
            std::vector<uint8_t> rgb(3 * count + 1, 0xAA);
            ConvertGreyPixels(grey.data(), rgb.data(), count);
            for (int i = 0; i < count; ++i) {
                ASSERT_TRUE(rgb[3 * i] == grey[i] && rgb[3 * i + 1] == grey[i] &&
                            rgb[3 * i + 2] == grey[i]);
            }
            ASSERT_EQ(rgb.back(), 0xAA);
        }
    }
}

}  // namespace
