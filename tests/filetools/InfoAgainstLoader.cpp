// infocheck REPORT.json FILE: checks what rlsinfo --json said about a valid
// FILE against what the library's loaders make of it. Every figure is
// recomputed here from the loaded sprites with a walk of the run data of the
// test's own; record offsets are the running sums of RLSpriteSize.
// Exit 0 when all agree, 1 with the first difference, 2 on a bad argument.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>

extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

void ReportFatal(const char* text) {
    std::fprintf(stderr, "infocheck: the loader refused the file: %s\n", text);
    std::exit(1);
}

namespace {

using nlohmann::json;

[[noreturn]] void Differ(const std::string& what, const json& said, const json& loaded) {
    std::fprintf(stderr, "infocheck: %s: rlsinfo says %s, the loader %s\n", what.c_str(),
                 said.dump().c_str(), loaded.dump().c_str());
    std::exit(1);
}

void Same(const std::string& what, const json& said, const json& loaded) {
    if (said != loaded) Differ(what, said, loaded);
}

// Runs and run pixels, walked word by word.
void CountRuns(const RLSprite& s, int64_t& runs, int64_t& pixels) {
    runs = pixels = 0;
    for (int32_t word = 0; word < s.runWordCount;) {
        const int64_t n = static_cast<int32_t>(s.runData[word + 1]);
        ++runs;
        pixels += n;
        word += static_cast<int32_t>(2 + (n + 1) / 2);
    }
}

// Checks one ray of the report against the loaded ray; returns its size.
int64_t CheckRay(const json& said, const RlsRay& ray, int64_t offset, const std::string& name) {
    Same(name + " offset", said.at("offset"), offset);
    Same(name + " count", said.at("count"), ray.count);
    const json& sprites = said.at("sprites");
    Same(name + " sprites listed", sprites.size(), ray.count);
    int64_t at = offset + 4;
    for (int32_t i = 0; i < ray.count; ++i) {
        const RLSprite& s = *ray.Get(i);
        const json& j = sprites.at(i);
        const std::string sprite = name + " sprite " + std::to_string(i);
        int64_t runs = 0, pixels = 0;
        CountRuns(s, runs, pixels);
        const json loaded = {
            {"index", i},
            {"offset", at},
            {"bytes", RLSpriteSize(&s)},
            {"width", int64_t{s.bounds.right} - s.bounds.left + 1},
            {"height", int64_t{s.bounds.bottom} - s.bounds.top + 1},
            {"hotSpot", {{"x", UnpackX(s.hotSpot)}, {"y", UnpackY(s.hotSpot)}}},
            {"bounds",
             {{"left", s.bounds.left},
              {"top", s.bounds.top},
              {"right", s.bounds.right},
              {"bottom", s.bounds.bottom}}},
            {"runs", runs},
            {"runPixels", pixels},
            {"edgeRecords", s.edgeWordCount / 2},
            {"points", s.pointCount},
        };
        Same(sprite, j, loaded);
        at += RLSpriteSize(&s);
    }
    Same(name + " bytes", said.at("bytes"), at - offset);
    return at - offset;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: infocheck REPORT.json FILE\n");
        return 2;
    }
    SelectProgramPixelMode();
    std::ifstream in(argv[1]);
    const json report = json::parse(in, nullptr, false);
    if (report.is_discarded()) {
        std::fprintf(stderr, "infocheck: %s is not one JSON document\n", argv[1]);
        return 1;
    }
    Same("file", report.at("file"), argv[2]);
    Same("valid", report.at("valid"), true);
    if (report.contains("error")) Differ("error", report.at("error"), nullptr);
    std::ifstream file(argv[2], std::ios::binary | std::ios::ate);
    const int64_t size = static_cast<int64_t>(file.tellg());
    Same("bytes", report.at("bytes"), size);
    if (report.at("kind") == "ray") {
        RlsRayPtr ray(LoadRlsRay(argv[2], 0));
        CheckRay(report.at("ray"), *ray, 0, "ray");
        return 0;
    }
    Same("kind", report.at("kind"), "family");
    RlsFamilyPtr family(RlsFamilyLoad(argv[2], 0));
    const json& said = report.at("family");
    // The loader's slots as ray numbers in order of first appearance.
    std::vector<const RlsRay*> distinct;
    json slots = json::array();
    const json& table = said.at("slots");
    for (size_t k = 0; k < table.size(); ++k) {
        const RlsRay* ray = family->rays.Get(static_cast<int32_t>(k));
        size_t r = 0;
        while (r < distinct.size() && distinct[r] != ray) ++r;
        if (r == distinct.size()) distinct.push_back(ray);
        slots.push_back(r);
    }
    Same("slots", table, slots);
    Same("rays listed", said.at("rays").size(), distinct.size());
    int64_t at = 6 + static_cast<int64_t>(table.size());
    for (size_t r = 0; r < distinct.size(); ++r)
        at += CheckRay(said.at("rays").at(r), *distinct[r], at, "ray " + std::to_string(r));
    json texts = json::array();
    for (int32_t t = 0; t < family->texts.Count(); ++t) texts.push_back(family->texts.Get(t));
    Same("texts", said.at("texts"), texts);
    Same("text count", said.at("textCount"), family->texts.Count());
    return 0;
}
