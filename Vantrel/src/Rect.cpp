#include <Vantrel/Rect.h>

#include <algorithm>

void RectUnion(Rect& target, const Rect& other) {
    target.left = std::min(target.left, other.left);
    target.top = std::min(target.top, other.top);
    target.right = std::max(target.right, other.right);
    target.bottom = std::max(target.bottom, other.bottom);
}

int RectsOverlap(const Rect& a, const Rect& b) {
    if (a.right < b.left || b.right < a.left) return 0;
    if (a.bottom < b.top || b.bottom < a.top) return 0;
    return 1;
}

namespace {
bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}
}  // namespace

int RectContainment(const Rect& a, const Rect& b) {
    if (Inside(a, b)) return -1;
    if (Inside(b, a)) return 1;
    return 0;
}

int PointInRect(const Rect& rect, Point16 point) {
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top &&
                   point.y <= rect.bottom
               ? 1
               : 0;
}
