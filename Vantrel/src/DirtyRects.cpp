#include <Vantrel/DirtyRects.h>

#include <Vantrel/ScreenGeometry.h>

Rect DirtyRects[kDirtyRectCapacity];
int32_t DirtyRectCount = 0;

void AddDirtyRect(const Rect* rect) {
    if (rect == nullptr) return;
    if (DirtyRectCount >= kDirtyRectCapacity) {
        DirtyRects[0] = Rect{0, 0, ScreenWidth() - 1, ScreenHeight() - 1};
        DirtyRectCount = 1;
        return;
    }
    const Rect added = *rect;  // rect may point into the list itself
    int32_t i = 0;
    while (i < DirtyRectCount) {
        int containment = RectContainment(added, DirtyRects[i]);
        if (containment == -1) return;
        if (containment == 1) {
            for (int32_t j = i + 1; j < DirtyRectCount; ++j) DirtyRects[j - 1] = DirtyRects[j];
            --DirtyRectCount;
            continue;
        }
        ++i;
    }
    DirtyRects[DirtyRectCount++] = added;
}

void ResetDirtyRects() {
    DirtyRectCount = 0;
}
