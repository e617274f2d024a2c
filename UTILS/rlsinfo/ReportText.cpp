#include <cinttypes>

#include "ReportOutput.h"

namespace {

void WriteRay(std::FILE* out, const RayReport& ray, const char* indent) {
    std::fprintf(out, "%s%-6s %8s %7s %9s %9s %-21s %5s %7s %5s %6s\n", indent, "sprite", "offset",
                 "bytes", "size", "hot spot", "bounds (l,t .. r,b)", "runs", "run px", "edges",
                 "points");
    for (const SpriteReport& s : ray.sprites) {
        char size[32], hot[32], bounds[64], runs[16], pixels[24];
        std::snprintf(size, sizeof size, "%dx%d", s.width, s.height);
        std::snprintf(hot, sizeof hot, "%d,%d", s.hotX, s.hotY);
        std::snprintf(bounds, sizeof bounds, "%d,%d .. %d,%d", s.bounds.left, s.bounds.top,
                      s.bounds.right, s.bounds.bottom);
        std::snprintf(runs, sizeof runs, "%d", s.runs);
        std::snprintf(pixels, sizeof pixels, "%" PRId64, s.runPixels);
        std::fprintf(out, "%s%6d %8" PRId64 " %7" PRId64 " %9s %9s %-21s %5s %7s %5d %6d\n", indent,
                     s.index, s.offset, s.bytes, size, hot, bounds, s.runs < 0 ? "-" : runs,
                     s.runPixels < 0 ? "-" : pixels, s.edgeRecords, s.points);
    }
}

}  // namespace

void WriteReportText(std::FILE* out, const FileReport& report) {
    const char* path = report.path.c_str();
    if (report.kind == SpriteFileKind::kRay) {
        std::fprintf(out, "%s: ray, %d sprites, %" PRId64 " bytes\n", path, report.ray.count,
                     report.bytes);
        WriteRay(out, report.ray, "  ");
    } else if (report.kind == SpriteFileKind::kFamily) {
        std::fprintf(out, "%s: family, %zu slots, %zu rays, %d texts, %" PRId64 " bytes\n", path,
                     report.slots.size(), report.rays.size(), report.textCount, report.bytes);
        std::fprintf(out, "  slot:");
        for (size_t k = 0; k < report.slots.size(); ++k) std::fprintf(out, " %3zu", k);
        std::fprintf(out, "\n  ray: ");
        for (int entry : report.slots)
            entry < 0 ? std::fprintf(out, "   -") : std::fprintf(out, " %3d", entry);
        std::fprintf(out, "\n");
        for (size_t r = 0; r < report.rays.size(); ++r) {
            const RayReport& ray = report.rays[r];
            std::fprintf(out, "  ray %zu at byte %" PRId64 ": %d sprites, %" PRId64 " bytes\n", r,
                         ray.offset, ray.count, ray.bytes);
            WriteRay(out, ray, "    ");
        }
        for (size_t t = 0; t < report.texts.size(); ++t)
            std::fprintf(out, "  text %zu: \"%s\"\n", t, report.texts[t].c_str());
    }
    for (const std::string& note : report.notes) std::fprintf(out, "  note: %s\n", note.c_str());
    if (report.valid) {
        std::fprintf(out, "%s: valid\n", path);
        return;
    }
    std::fprintf(out, "%s: invalid: %s", path, report.reason.c_str());
    if (!report.detail.empty()) std::fprintf(out, " (%s)", report.detail.c_str());
    if (report.offset >= 0) std::fprintf(out, " at byte %" PRId64, report.offset);
    std::fprintf(out, "\n");
}
