#include "PreviewContent.h"

#include <algorithm>
#include <string>

std::vector<const RLSprite*> RaySprites(const RlsRay& ray) {
    std::vector<const RLSprite*> sprites;
    for (int32_t i = 0; i < ray.count; ++i) sprites.push_back(ray.Get(i));
    return sprites;
}

SheetContent RayContent(const RlsRay& ray) {
    SheetContent content;
    content.rows.push_back({"", RaySprites(ray)});
    return content;
}

SheetContent FamilyContent(const RlsFamily& family) {
    SheetContent content;
    for (int32_t t = 0; t < family.texts.Count(); ++t)
        content.captions.push_back(family.texts.Get(t));
    int32_t slots = family.rays.Size();
    while (slots > 0 && family.rays.Get(slots - 1) == nullptr) --slots;
    std::vector<const RlsRay*> seen;
    for (int32_t k = 0; k < slots; ++k) {
        const RlsRay* ray = family.rays.Get(k);
        SheetRow row;
        row.label = "slot " + std::to_string(k) + ", ";
        if (ray == nullptr) {
            row.label += "empty";
        } else {
            auto at = std::find(seen.begin(), seen.end(), ray);
            if (at == seen.end()) at = seen.insert(seen.end(), ray);
            row.label += "ray " + std::to_string(at - seen.begin());
            row.sprites = RaySprites(*ray);
        }
        content.rows.push_back(std::move(row));
    }
    return content;
}
