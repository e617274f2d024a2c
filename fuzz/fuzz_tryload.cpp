// The loaders in every form on arbitrary bytes: the first byte picks a ray,
// a family or one sprite record (byte % 3) and the pitch (byte / 3 % 4); the
// rest is loaded from a path, from memory, through a reader in one-byte
// pieces, through one with skip and eof, and by the classic loader from a
// stream. Every form must give the same outcome: the same text and offset,
// or the same loaded content.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "FuzzStream.h"
#include "lib/LoadForms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace load_forms;
    if (size == 0) return 0;
    const auto kind = static_cast<FileKind>(data[0] % 3);
    const int32_t pitch = kFuzzPitches[data[0] / 3 % 4];
    const Bytes bytes(data + 1, data + size);
    const FuzzFile file(bytes.data(), bytes.size());
    const Outcome memory = LoadInForm(kind, bytes, pitch, Form::kMemory, file.Path());
    for (Form form : kForms) {
        Outcome expected = memory;
        if (form == Form::kPath) expected.path = file.Path();
        if (form == Form::kClassicStream) expected.offset = -1;
        if (!(LoadInForm(kind, bytes, pitch, form, file.Path()) == expected)) std::abort();
    }
    return 0;
}
