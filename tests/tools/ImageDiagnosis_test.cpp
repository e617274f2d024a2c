#include "images/ImageDiagnosis.h"

#include "ToolTest.h"
#include "conversion/PictureInput.h"
#include "images/ImageNames.h"
#include "images/PngArt.h"
#include "images/ToolTga.h"
#include "support/TgaFile.h"

namespace {

class ImageDiagnosisTest : public ToolTest {
protected:
    void TearDown() override {
        ResetToolTga();
        ToolTest::TearDown();
    }
    ScratchFolder folder_;
};

TgaLayout Layout(uint8_t type, uint8_t depth, uint16_t w = 4, uint16_t h = 3) {
    TgaLayout t;
    t.imageType = type;
    t.depth = depth;
    t.width = w;
    t.height = h;
    return t;
}

// The header and as many pixel bytes as it announces (and the ID field).
std::vector<uint8_t> HeaderAndPixels(const TgaLayout& t) {
    std::vector<uint8_t> bytes(18 + t.idLength + size_t{t.width} * t.height * ((t.depth + 7) / 8),
                               0x40);
    const uint8_t header[18] = {t.idLength,
                                t.colourMapType,
                                t.imageType,
                                0,
                                0,
                                0,
                                0,
                                0,
                                static_cast<uint8_t>(t.xOrigin),
                                static_cast<uint8_t>(t.xOrigin >> 8),
                                static_cast<uint8_t>(t.yOrigin),
                                static_cast<uint8_t>(t.yOrigin >> 8),
                                static_cast<uint8_t>(t.width),
                                static_cast<uint8_t>(t.width >> 8),
                                static_cast<uint8_t>(t.height),
                                static_cast<uint8_t>(t.height >> 8),
                                t.depth,
                                t.descriptor};
    std::copy(header, header + 18, bytes.begin());
    return bytes;
}

std::vector<uint8_t> Bytes(const char* text, size_t size) {
    std::vector<uint8_t> bytes(text, text + size);
    bytes.resize(64, 0);
    return bytes;
}

struct DiagnosisCase {
    const char* name;
    std::vector<uint8_t> bytes;
    ImageFaultKind kind;
    std::string text;  // after "<start>: <path>" or "Can't load <path>: "
};

// Every refusal says what the file is and what to do; the reader's own
// start comes first.
TEST_F(ImageDiagnosisTest, RefusedFilesAreToldByTheirOwnBytes) {
    TgaLayout rle = Layout(10, 24);
    TgaLayout mapped = Layout(1, 8);
    mapped.colourMapType = 1;
    TgaLayout withId = Layout(2, 24);
    withId.idLength = 9;
    TgaLayout moved = Layout(2, 32);
    moved.xOrigin = 3;
    moved.yOrigin = 0;
    std::vector<uint8_t> strayMapFields = HeaderAndPixels(Layout(2, 24));
    strayMapFields[7] = 24;  // a colour map entry size, without a colour map
    TgaLayout many = Layout(11, 16);
    many.idLength = 2;
    std::vector<uint8_t> cut = HeaderAndPixels(Layout(2, 24));
    cut.resize(30);
    const std::string png = PngArtIsReadable()
                                ? "name it art.png and the tools convert it as PNG"
                                : "this build reads no PNG; export the artwork as an "
                                  "uncompressed 24-bit TGA";
    const std::string other = PngArtIsReadable()
                                  ? "export the artwork as PNG, or as an uncompressed 24-bit TGA"
                                  : "export the artwork as an uncompressed 24-bit TGA";
    const DiagnosisCase cases[] = {
        {"run-length compressed", HeaderAndPixels(rle), ImageFaultKind::Refused,
         "it is run-length compressed (TGA image type 10); save it again with RLE compression off"},
        {"colour-mapped", HeaderAndPixels(mapped), ImageFaultKind::Refused,
         "it is colour-mapped (TGA image type 1); save it again as 24-bit RGB instead of a palette "
         "image"},
        {"stray colour map fields", strayMapFields, ImageFaultKind::Refused,
         "its colour map fields are not 0 although it has no colour map; save it again as a plain "
         "24-bit RGB image without a colour map"},
        {"image ID field", HeaderAndPixels(withId), ImageFaultKind::Refused,
         "it has an image ID field of 9 bytes; save it again without an image ID (comment) field"},
        {"origin not 0", HeaderAndPixels(moved), ImageFaultKind::Refused,
         "its origin is (3, 0), not (0, 0); save it again with its x and y origin set to 0"},
        {"all at once", HeaderAndPixels(many), ImageFaultKind::Refused,
         "it is run-length compressed (TGA image type 11), it has an image ID field of 2 bytes "
         "and it has 16-bit pixels; save it again with RLE compression off, without an image ID "
         "(comment) field and with 24 or 32 bits per pixel"},
        {"16-bit pixels", HeaderAndPixels(Layout(2, 16)), ImageFaultKind::Unusable,
         "it has 16-bit pixels; save it again with 24 or 32 bits per pixel"},
        {"15-bit pixels", HeaderAndPixels(Layout(2, 15)), ImageFaultKind::Unusable,
         "it has 15-bit pixels; save it again with 24 or 32 bits per pixel"},
        {"0 wide", HeaderAndPixels(Layout(2, 24, 0, 3)), ImageFaultKind::Unusable,
         "it is 0 pixels wide; the file holds no picture; export the artwork again"},
        {"cut short", cut, ImageFaultKind::CutShort,
         "its pixel data ends at byte 30 of 54; the file was cut off; save or copy it again"},
        {"PNG", Bytes("\x89PNG\r\n\x1a\n", 8), ImageFaultKind::Foreign,
         "it is a PNG image, not a TGA file; " + png},
        {"JPEG", Bytes("\xFF\xD8\xFF\xE0", 4), ImageFaultKind::Foreign,
         "it is a JPEG image, not a TGA file; " + other},
        {"BMP", Bytes("BM", 2), ImageFaultKind::Foreign,
         "it is a BMP image, not a TGA file; " + other},
        {"GIF", Bytes("GIF89a", 6), ImageFaultKind::Foreign,
         "it is a GIF image, not a TGA file; " + other},
        {"WebP", Bytes("RIFF\x10\0\0\0WEBPVP8 ", 16), ImageFaultKind::Foreign,
         "it is a WebP image, not a TGA file; " + other},
        {"Photoshop", Bytes("8BPS", 4), ImageFaultKind::Foreign,
         "it is a Photoshop image, not a TGA file; " + other},
        {"text", Bytes("hello, this is text", 19), ImageFaultKind::Foreign,
         "it is not a TGA file (its header fits no TGA layout); " + other},
        {"too short", std::vector<uint8_t>{0, 0, 2}, ImageFaultKind::Foreign,
         "it is only 3 bytes long, too short for a TGA header; " + other},
        {"empty", {}, ImageFaultKind::Foreign, "the file is empty; " + other},
    };
    for (const DiagnosisCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.Write("art.tga", c.bytes);
        EXPECT_EQ(DiagnoseImageFile(path).kind, c.kind);
        if (c.kind == ImageFaultKind::Unusable) {
            EXPECT_EQ(
                UnusableImageText(path),
                "Must be an uncompressed 8, 24 or 32-bit RGB color file: " + path + ": " + c.text);
            // The reader itself refuses it with that text.
            EXPECT_EQ(FatalTextOf([&] { ReadToolTga(path.c_str(), 0); }), UnusableImageText(path));
        } else {
            EXPECT_EQ(CantLoadImageText(path), "Can't load " + path + ": " + c.text);
            // The reader gives no image for it; a conversion reports that
            // text, told from the file it opened.
            EXPECT_EQ(ReadToolTga(path.c_str(), 0), nullptr);
            ToolJob job;
            EXPECT_EQ(FatalTextOf([&] { OpenAndLoadPicture(job, path.c_str(), kMainToolSlot); }),
                      CantLoadImageText(path));
        }
    }
}

TEST_F(ImageDiagnosisTest, AcceptedFilesHaveNoFault) {
    for (uint8_t depth : {8, 24, 32}) {
        const std::string path = folder_.Write("good.tga", HeaderAndPixels(Layout(2, depth)));
        EXPECT_EQ(DiagnoseImageFile(path).kind, ImageFaultKind::None);
        EXPECT_NE(ReadToolTga(path.c_str(), 0), nullptr);
    }
}

TEST_F(ImageDiagnosisTest, FilesThatDoNotOpen) {
    const std::string missing = folder_.PathOf("missing.tga");
    EXPECT_EQ(CantLoadImageText(missing),
              "Can't load " + missing + ": there is no such file; check its name and folder");
    const std::string folder = folder_.PathOf("");
    EXPECT_EQ(DiagnoseImageFile(folder).kind, ImageFaultKind::Unopened);
    EXPECT_EQ(DiagnoseImageFile(folder).reason, "it is a folder, not a file");
}

TEST_F(ImageDiagnosisTest, PngNamesInAnyCase) {
    for (const char* name : {"a.png", "a.PNG", "dir/b.Png", ".png"}) EXPECT_TRUE(HasPngName(name));
    for (const char* name : {"a.tga", "png", "a.pn", "a.png.tga", "apng"}) {
        EXPECT_FALSE(HasPngName(name)) << name;
    }
}

}  // namespace
