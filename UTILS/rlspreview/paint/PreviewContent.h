// What the preview shows of a ray or a family: the rows of the contact sheet
// with their labels, and the captions.
#ifndef RLSPREVIEW_PREVIEW_CONTENT_H
#define RLSPREVIEW_PREVIEW_CONTENT_H

#include <vector>

#include <Vantrel/Rls.h>

#include "ContactSheet.h"

// The surface the sheet is drawn on, square: a family's six slots of
// ship-sized sprites fit in all four drawing modes. Only the part in use is
// written. The programs that draw sheets make it their screen size.
constexpr int kPreviewSurfaceSide = 2048;

std::vector<const RLSprite*> RaySprites(const RlsRay& ray);

// One unlabelled row.
SheetContent RayContent(const RlsRay& ray);

// A row per slot up to the last one that holds a ray, labelled "slot K,
// ray R" (rays numbered in order of first appearance, as the file stores
// them) or "slot K, empty"; the texts as captions.
SheetContent FamilyContent(const RlsFamily& family);

#endif
