#include "FamilyBuild.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Rls.h>
#include "lists/ListLine.h"
#include "shell/core/Warnings.h"

namespace {

[[noreturn]] void Fatal(const std::string& text) {
    ReportFatal(text.c_str());
}

// "hull" -> "hull.sh"; "hull.sh" and "hull.tg" stay; "hull.shp" -> "hull.shp.sh".
void SlotName(char* slot, const char* name) {
    std::size_t length = std::strlen(name);
    if (length < 3 || name[length - 3] != '.') {
        FormatPath(slot, "%s.sh", name);
    } else {
        CopyPath(slot, name);
    }
}

void CopyRay(std::FILE* output, const char* rayPath, const char* outputPath, const char* listPath) {
    const FileHandle ray(std::fopen(rayPath, "rb"));
    if (!ray)
        Fatal(std::string("File ") + rayPath + " listed in " + listPath + " cannot be opened");
    std::vector<unsigned char> buffer(65536);
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), ray.get())) > 0) {
        if (!WriteBytes(output, buffer.data(), got)) {
            Fatal(std::string("Unable to write to file ") + outputPath);
        }
    }
    if (std::ferror(ray.get()) != 0) Fatal(std::string("Unable to read file ") + rayPath);
}

}  // namespace

void ReadFamilyList(std::FILE* stream, FamilyList& list, const char* listPath) {
    char line[kPathBufferSize];
    ListLinePlace place;
    while (ReadListLine(stream, line, place)) {
        const std::string where =
            std::string(listPath) + " line " + std::to_string(place.lineNumber);
        if (place.piece) {
            Warn(where + " is longer than 255 characters; its rest is read as a line of its own");
        }
        if (line[0] == ':') {
            if (list.textCount == kFamilyTextLimit) {
                Warn(where + ": the text \"" + (line + 1) +
                     "\" is left out; a family holds at most " + std::to_string(kFamilyTextLimit) +
                     " texts");
                continue;
            }
            if (std::strchr(line + 1, static_cast<char>(kRlsTextMask)) != nullptr) {
                Fatal("Family text \"" + std::string(line + 1) + "\" on " + where +
                      " holds a lower-case k, the byte a family file masks its texts with: "
                      "it would be stored as a zero byte, which ends the text there and shifts "
                      "every later text; write the text without a lower-case k (K is fine)");
            }
            std::strcpy(list.texts[list.textCount++], line + 1);
        } else if (list.nameCount < kFamilySlotCount) {
            list.nameLines[list.nameCount] = place.lineNumber;
            SlotName(list.slots[list.nameCount++], line);
        } else {
            Warn(where + ": " + line + " is left out; a family holds at most " +
                 std::to_string(kFamilySlotCount) + " .sh files");
        }
    }
}

void FillSlots(FamilyList& list) {
    for (int slot = list.nameCount; slot > 0 && slot < kFamilySlotCount; ++slot) {
        std::strcpy(list.slots[slot], list.slots[slot - 1]);
        list.nameLines[slot] = list.nameLines[slot - 1];
    }
}

void NumberRays(FamilyList& list) {
    bool numbered[kFamilySlotCount] = {};
    int ray = 0;
    for (int p = 0; p < kFamilySlotCount; ++p) {
        if (numbered[p]) continue;
        for (int k = p; k < kFamilySlotCount; ++k) {
            if (!numbered[k] && std::strcmp(list.slots[k], list.slots[p]) == 0) {
                list.table[k] = static_cast<uint8_t>(ray);
                numbered[k] = true;
            }
        }
        ++ray;
    }
    list.rayCount = ray;
}

namespace {

struct ListedRay {
    std::string path;
    std::string listLine;  // "<list> line <n>"
};

// A loader's text, with the listed file it was reading and what to do.
std::string ExplainRayFault(const std::string& text, const ListedRay& ray) {
    std::string reason = text;
    while (!reason.empty() && reason.back() == '\n') reason.pop_back();
    return reason + ": " + ray.path + ", listed on " + ray.listLine +
           ", is not a ray file (.sh) a family can hold; list the .sh files Quarvin or Plimsor "
           "wrote";
}

}  // namespace

void CheckListedRays(const FamilyList& list, const char* folder, const char* listPath,
                     ToolJob& job) {
    for (int ray = 0; ray < list.rayCount; ++ray) {
        int slot = 0;
        while (list.table[slot] != ray) ++slot;
        char rayPath[kPathBufferSize];
        JoinPath(rayPath, folder, list.slots[slot]);
        const ListedRay listed{
            rayPath, std::string(listPath) + " line " + std::to_string(list.nameLines[slot])};
        const FileHandle stream(std::fopen(rayPath, "rb"));
        if (!stream) {
            Fatal(std::string("File ") + rayPath + " listed in " + listPath + " cannot be opened");
        }
        job.Reads(rayPath);
        {
            const ToolJob::ExplainedReading reading(
                job, [&listed](const std::string& text) { return ExplainRayFault(text, listed); });
            const RlsRayPtr loaded(LoadRlsRay(rayPath, 0, stream.get()));
        }
        // The family reader takes the rays one after the other: bytes after
        // a ray would be read as the start of the next.
        const long end = std::ftell(stream.get());
        if (std::fgetc(stream.get()) != EOF) {
            Fatal(std::string("File ") + rayPath + ", listed on " + listed.listLine +
                  ", holds more than one ray: bytes follow its ray at byte " + std::to_string(end) +
                  "; list the .sh files Quarvin or Plimsor wrote");
        }
    }
}

void WriteFamily(std::FILE* output, const FamilyList& list, const char* folder,
                 const char* outputPath, const char* listPath) {
    bool written = WriteU16(output, kRlsFamilyMagic) && WriteU16(output, kFamilySlotCount) &&
                   WriteU16(output, static_cast<uint16_t>(list.textCount)) &&
                   WriteBytes(output, list.table, sizeof list.table);
    if (!written) Fatal(std::string("Unable to write to file ") + outputPath);
    for (int ray = 0; ray < list.rayCount; ++ray) {
        int slot = 0;
        while (list.table[slot] != ray) ++slot;
        char rayPath[kPathBufferSize];
        JoinPath(rayPath, folder, list.slots[slot]);
        CopyRay(output, rayPath, outputPath, listPath);
    }
    for (int t = 0; t < list.textCount; ++t) {
        for (const char* c = list.texts[t]; *c != '\0'; ++c) {
            written = written && WriteU8(output, static_cast<uint8_t>(*c ^ kRlsTextMask));
        }
        written = written && WriteU8(output, 0);
    }
    if (!written) Fatal(std::string("Unable to write to file ") + outputPath);
}

void BuildFamily() {
    char listPath[kPathBufferSize];
    JoinPath(listPath, InputFolder, "*.txt");
    if (!ChooseFile(listPath, "Text containing list of .SH Files\0*.txt\0", 'r')) return;
    RememberChosenFolder(listPath, RememberedFolder::Input);

    ToolJob job;
    FileHandle stream(std::fopen(listPath, "r"));
    if (!stream) Fatal(std::string("Unable to open list file ") + listPath);
    job.Reads(listPath);
    const auto list = std::make_unique<FamilyList>();
    ReadFamilyList(stream.get(), *list, listPath);
    stream.reset();
    if (list->nameCount == 0) Fatal(std::string("The list ") + listPath + " names no .sh file");
    FillSlots(*list);
    NumberRays(*list);
    // Every listed file's path must fit before anything is asked or written;
    // no output may name the list or a listed ray.
    for (int slot = 0; slot < kFamilySlotCount; ++slot) {
        char rayPath[kPathBufferSize];
        JoinPath(rayPath, InputFolder, list->slots[slot]);
        job.WillRead(rayPath);
    }

    std::string baseName = PathFileName(listPath);
    std::size_t dot = baseName.rfind('.');
    if (dot != std::string::npos) baseName.resize(dot);
    char outputPath[kPathBufferSize];
    FormatPath(outputPath, "%s%c%s.shp", OutputFolder, kPathSeparator, baseName.c_str());
    // Every listed ray is checked with the library's loader before anything
    // is asked or written.
    CheckListedRays(*list, InputFolder, listPath, job);
    if (!ChooseFile(outputPath, "Ship Family Files\0*.shp\0", 'w')) {
        ReportFatal("You must provide a file to output to!");
    }
    RememberChosenFolder(outputPath, RememberedFolder::Output);

    std::FILE* output = BeginOutputFile(outputPath);
    if (output == nullptr) Fatal(std::string("Unable to create file ") + outputPath);
    WriteFamily(output, *list, InputFolder, outputPath, listPath);
    if (!FinishOutputFile(output)) Fatal(std::string("Unable to write to file ") + outputPath);
}
