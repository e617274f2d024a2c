#include "conversion/RayOutput.h"

#include <cstring>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Rls.h>

#include "conversion/ConversionFatal.h"

bool BeginRayOutput(RayOutput& output, const char* namedAfter, int count) {
    char name[kPathBufferSize];
    CopyPath(name, PathFileName(namedAfter));
    if (char* point = std::strrchr(name, '.')) *point = '\0';
    FormatPath(output.path, "%s%c%s.sh", OutputFolder, kPathSeparator, name);
    static const char kFilter[] = "Individual Ship Files\0*.sh\0";
    if (!ChooseFile(output.path, kFilter, 'w')) return false;
    RememberChosenFolder(output.path, RememberedFolder::Output);

    output.stream = BeginOutputFile(output.path);
    if (output.stream == nullptr) FatalWithPath("Unable to create file %s", output.path);
    // The header announces every sprite; the file only replaces its target
    // once they have all been written.
    if (!WriteU16(output.stream, kRlsRayMagic) ||
        !WriteU16(output.stream, static_cast<uint16_t>(count))) {
        FatalWithPath("Unable to write to file %s", output.path);
    }
    return true;
}

void AppendToRay(RayOutput& output, RLSprite& sprite) {
    StoreRLSprite(&sprite, output.path, output.stream);
}

void FinishRay(RayOutput& output) {
    if (output.stream == nullptr) return;
    std::FILE* stream = output.stream;
    output.stream = nullptr;
    if (!FinishOutputFile(stream)) FatalWithPath("Unable to write to file %s", output.path);
}
