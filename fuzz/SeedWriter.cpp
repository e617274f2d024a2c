// Writes the seed corpora of the sprite, ray and family fuzz targets with the
// project's own encoder and writers, from pictures painted with the test
// kit's image builder:  fuzz_seed_writer fuzz/corpus
#include <cstdio>
#include <string>
#include <vector>

#include "frames/FrameAnalysis.h"
#include <Vantrel/Rls.h>
#include "support/SpriteKit.h"
#include "tools/TestImage.h"
#include "frames/FramePixelRules.h"

namespace {

// A small disc with a darker rim, as a ship frame might look.
TestImage Disc(int32_t size, uint32_t colour) {
    TestImage p(size, size);
    const int32_t c = size / 2;
    const int32_t r = size / 2 - 2;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            const int32_t d = (x - c) * (x - c) + (y - c) * (y - c);
            if (d <= r * r) p.Set(x, y, d >= (r - 1) * (r - 1) ? 0x202020 : colour);
        }
    return p;
}

enum class Treatment { Plain, Border, Feather, FeatherAlpha };

RLSprite* Encode(TestImage picture, Treatment treatment) {
    TestImage alpha = Disc(picture.Width(), 0xFFFFFF);
    for (int32_t x = 0; x < alpha.Width(); ++x) alpha.Set(x, alpha.Height() / 2, 0x404040);
    FrameRules rules;
    rules.main = picture.View();
    rules.feather = treatment == Treatment::Feather || treatment == Treatment::FeatherAlpha;
    if (treatment == Treatment::FeatherAlpha) rules.alpha = alpha.View();
    if (treatment == Treatment::Border) {
        rules.border = true;
        rules.marker = FindMarkerColour(rules.main);
        PaintBorder(rules.main, rules.marker);
    }
    const Rect rect = FindFrameBounds(rules);
    auto* sprite = new RLSprite;
    AnchorRLSprite(*sprite, rect, picture.Width() / 2 - 1, picture.Height() / 2 - 1);
    EncodeFrame(rules, rect, *sprite);
    return sprite;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
}

std::vector<uint8_t> SpriteBytes(const RLSprite* sprite) {
    Stream stream = ScratchStream();
    StoreRLSprite(sprite, nullptr, stream.get());
    return ContentsOf(stream.get());
}

std::vector<uint8_t> RayBytes(const RlsRay& ray) {
    Stream stream = ScratchStream();
    StoreRlsRay(&ray, nullptr, stream.get());
    return ContentsOf(stream.get());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_writer CORPUS_FOLDER\n");
        return 2;
    }
    const std::string root = argv[1];
    SetPixelMode565();

    RlsRay ray(4);
    ray.Set(0, Encode(Disc(12, 0xC08040), Treatment::Plain));
    ray.Set(1, Encode(Disc(12, 0x40C0FF), Treatment::Border));
    ray.Set(2, Encode(Disc(10, 0xFFFFFF), Treatment::Feather));
    ray.Set(3, Encode(Disc(10, 0x808080), Treatment::FeatherAlpha));
    const char* names[] = {"plain", "border", "feather", "feather_alpha"};
    for (int i = 0; i < 4; ++i) {
        WriteFile(root + "/fuzz_rlsprite/" + names[i], SpriteBytes(ray.Get(i)));
    }
    RLSprite empty;
    WriteFile(root + "/fuzz_rlsprite/empty", SpriteBytes(&empty));
    // Points survive storing; give one sprite some.
    RLSprite* withPoints = ray.Get(2);
    uint16_t values[2] = {1, 2};
    uint32_t positions[2] = {PackXY(1, 2), PackXY(-3, 4)};
    RLSprite pointed = *withPoints;
    pointed.pointCount = 2;
    pointed.pointValues = values;
    pointed.pointPositions = positions;
    WriteFile(root + "/fuzz_rlsprite/points", SpriteBytes(&pointed));

    const std::vector<uint8_t> four = RayBytes(ray);
    WriteFile(root + "/fuzz_rlsray/four", four);
    RlsRay none(0);
    WriteFile(root + "/fuzz_rlsray/empty", RayBytes(none));

    // Families: slots 0 0 1 with two texts; one slot without texts.
    RlsRay pair(2);
    pair.Set(0, Encode(Disc(8, 0xFF0000), Treatment::Plain));
    pair.Set(1, Encode(Disc(8, 0x00FF00), Treatment::Feather));
    const std::vector<uint8_t> small = RayBytes(pair);
    std::vector<uint8_t> family = {0x02, 0xAE, 3, 0, 2, 0, 0, 0, 1};
    family.insert(family.end(), small.begin(), small.end());
    family.insert(family.end(), small.begin(), small.end());
    for (const char* text : {"Wasp", "Seeds"}) {
        for (const char* c = text; *c != '\0'; ++c)
            family.push_back(static_cast<uint8_t>(*c ^ 0x6B));
        family.push_back(0);
    }
    WriteFile(root + "/fuzz_rlsfamily/shared_slots", family);
    std::vector<uint8_t> single = {0x02, 0xAE, 1, 0, 0, 0, 0};
    single.insert(single.end(), small.begin(), small.end());
    WriteFile(root + "/fuzz_rlsfamily/single", single);
    return 0;
}
