#include "OpenFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/TryLoad.h>

#include "PreviewContent.h"
#include "ReportOutput.h"

namespace {

// rlsinfo's report for people, as it writes it on standard output.
std::string ReportText(const FileReport& report) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    if (out == nullptr) return {};
    WriteReportText(out, report);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// The reason on the last line, "PATH: invalid: REASON (DETAIL) at byte N".
std::string InvalidReason(const std::string& text, const std::string& path) {
    std::string last = text;
    while (!last.empty() && last.back() == '\n') last.pop_back();
    last = last.substr(last.find_last_of('\n') + 1);
    const std::string lead = path + ": invalid: ";
    return last.compare(0, lead.size(), lead) == 0 ? last.substr(lead.size()) : last;
}

}  // namespace

bool OpenSpriteFile(const std::string& path, OpenFile& file) {
    file.report = ReportOnFile(path);
    file.json = ReportJson(file.report);
    file.text = ReportText(file.report);
    if (!file.report.valid) {
        file.reason = InvalidReason(file.text, path);
        return false;
    }
    // Loaded once more, bound to the surface. The report loaded it unbound;
    // a refusal at the surface's pitch is given as the loader words it.
    vantrel::LoadError error;
    if (file.report.kind == SpriteFileKind::kFamily)
        file.family = vantrel::TryLoadFamily(path.c_str(), ScreenWidth(), error);
    else
        file.ray = vantrel::TryLoadRay(path.c_str(), ScreenWidth(), error);
    if (!file.family && !file.ray) {
        file.reason = error.message;
        if (error.offset >= 0) file.reason += " at byte " + std::to_string(error.offset);
        return false;
    }
    if (file.family) {
        file.content = FamilyContent(*file.family);
        for (int32_t k = 0; k < file.family->slotCount; ++k) {
            const RlsRay* ray = file.family->Slot(k);
            if (ray != nullptr &&
                std::find(file.rays.begin(), file.rays.end(), ray) == file.rays.end())
                file.rays.push_back(ray);
        }
    } else {
        file.content = RayContent(*file.ray);
        file.rays.push_back(file.ray.get());
    }
    return true;
}
