// A .sh stream from arbitrary bytes, loaded bound at a pitch, then freed.
#include <cstdlib>

#include <Vantrel/Rls.h>
#include "support/TestFatal.h"
#include "FuzzStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        FuzzStream stream = StreamOfInput(data, size);
        if (!stream) return 0;
        RlsRayPtr ray(LoadRlsRay(nullptr, kFuzzPitches[size % 4], stream.get()));
        for (int32_t i = 0; i < ray->count; ++i) {
            if (ray->Get(i) == nullptr) std::abort();
        }
    } catch (const FatalError&) {
    }
    return 0;
}
