// A .shp stream from arbitrary bytes, loaded bound at a pitch, then deleted
// (every shared ray once, every text).
#include <cstring>

#include <Vantrel/Rls.h>
#include "support/TestFatal.h"
#include "FuzzStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        FuzzStream stream = StreamOfInput(data, size);
        if (!stream) return 0;
        RlsFamilyPtr family(RlsFamilyLoad(nullptr, kFuzzPitches[size % 4], stream.get()));
        size_t textBytes = 0;
        for (int32_t i = 0; i < family->texts.Count(); ++i) {
            textBytes += std::strlen(family->texts.Get(i));
        }
        (void)textBytes;
    } catch (const FatalError&) {
    }
    return 0;
}
