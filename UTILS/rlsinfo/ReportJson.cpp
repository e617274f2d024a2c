#include <nlohmann/json.hpp>

#include "ReportOutput.h"

namespace {

using nlohmann::json;

json RayJson(const RayReport& ray) {
    json sprites = json::array();
    for (const SpriteReport& s : ray.sprites) {
        json sprite = {
            {"index", s.index},
            {"offset", s.offset},
            {"bytes", s.bytes},
            {"width", s.width},
            {"height", s.height},
            {"hotSpot", {{"x", s.hotX}, {"y", s.hotY}}},
            {"bounds",
             {{"left", s.bounds.left},
              {"top", s.bounds.top},
              {"right", s.bounds.right},
              {"bottom", s.bounds.bottom}}},
            {"runs", s.runs < 0 ? json(nullptr) : json(s.runs)},
            {"runPixels", s.runPixels < 0 ? json(nullptr) : json(s.runPixels)},
            {"edgeRecords", s.edgeRecords},
            {"points", s.points},
        };
        sprites.push_back(sprite);
    }
    return {
        {"offset", ray.offset}, {"bytes", ray.bytes}, {"count", ray.count}, {"sprites", sprites}};
}

const char* KindName(SpriteFileKind kind) {
    switch (kind) {
        case SpriteFileKind::kRay:
            return "ray";
        case SpriteFileKind::kFamily:
            return "family";
        case SpriteFileKind::kUnknown:
            break;
    }
    return "unknown";
}

}  // namespace

std::string ReportJson(const FileReport& report) {
    json doc = {{"file", report.path},
                {"kind", KindName(report.kind)},
                {"bytes", report.bytes},
                {"valid", report.valid},
                {"notes", report.notes}};
    if (report.kind == SpriteFileKind::kRay) doc["ray"] = RayJson(report.ray);
    if (report.kind == SpriteFileKind::kFamily) {
        json slots = json::array();
        for (int entry : report.slots) slots.push_back(entry < 0 ? json(nullptr) : json(entry));
        json rays = json::array();
        for (const RayReport& ray : report.rays) rays.push_back(RayJson(ray));
        doc["family"] = {{"slots", slots},
                         {"rays", rays},
                         {"textCount", report.textCount},
                         {"texts", report.texts}};
    }
    if (!report.valid)
        doc["error"] = {{"reason", report.reason},
                        {"detail", report.detail.empty() ? json(nullptr) : json(report.detail)},
                        {"offset", report.offset < 0 ? json(nullptr) : json(report.offset)}};
    // Texts and paths are bytes; anything that is not UTF-8 is replaced.
    return doc.dump(-1, ' ', false, json::error_handler_t::replace);
}
