// fleet-info FAMILY.shp: loads a family as a game does and prints its texts
// and, for each slot, how many sprites its ray holds and their size.
#include <cstdio>
#include <cstdlib>

#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>

extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

void ReportFatal(const char* text) {
    std::fprintf(stderr, "fleet-info: %s\n", text);
    std::exit(1);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fleet-info FAMILY.shp\n");
        return 2;
    }
    // Pitch 0: the sprites stay unbound; nothing is drawn here.
    RlsFamilyPtr family(RlsFamilyLoad(argv[1], 0));
    for (int32_t t = 0; t < family->texts.Count(); ++t) std::printf("%s\n", family->texts.Get(t));
    // A family has slotCount slots; family->rays is longer (16 entries), the
    // entries from slotCount on always null.
    for (int32_t slot = 0; slot < family->slotCount; ++slot) {
        const RlsRay* ray = family->Slot(slot);
        if (ray == nullptr || ray->Get(0) == nullptr) {
            std::printf("slot %d: empty\n", slot);
            continue;
        }
        const Rect& first = ray->Get(0)->bounds;
        std::printf("slot %d: %d sprites, the first %dx%d\n", slot, ray->count,
                    first.right - first.left + 1, first.bottom - first.top + 1);
    }
    return 0;
}
