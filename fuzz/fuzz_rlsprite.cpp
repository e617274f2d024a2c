// One sprite record from arbitrary bytes: loaded unbound and checked, bound at
// a pitch, and loaded again bound by the loader itself.
#include <cstdlib>

#include <Vantrel/RLSprite.h>
#include "support/TestFatal.h"
#include "FuzzStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        FuzzStream stream = StreamOfInput(data, size);
        if (!stream) return 0;
        RLSpritePtr sprite(LoadRLSprite(nullptr, 0, stream.get()));
        // What the loader accepts must pass the check drawing code relies on.
        if (!RLSpriteIsWellFormed(*sprite)) std::abort();
        const int32_t pitch = kFuzzPitches[size % 4];
        BindRLSprite(sprite.get(), pitch);
        std::rewind(stream.get());
        RLSpritePtr bound(LoadRLSprite(nullptr, pitch, stream.get()));
    } catch (const FatalError&) {
    }
    return 0;
}
