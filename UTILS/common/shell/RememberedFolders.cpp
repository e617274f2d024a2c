// The program folder and the remembered input and output folders, kept in
// indir.txt and outdir.txt beside the program.
#include <cstdio>
#include <cstring>
#include <string>

#include "ToolShell.h"
#include "ShellState.h"

char InputFolder[kPathBufferSize] = ".";
char OutputFolder[kPathBufferSize] = ".";

namespace {

char programFolder[kPathBufferSize] = "";

std::string RememberedFile(RememberedFolder which) {
    return std::string(programFolder) +
           (which == RememberedFolder::Input ? "indir.txt" : "outdir.txt");
}

char* FolderBuffer(RememberedFolder which) {
    return which == RememberedFolder::Input ? InputFolder : OutputFolder;
}

void LoadOne(RememberedFolder which) {
    char* folder = FolderBuffer(which);
    std::FILE* file = std::fopen(RememberedFile(which).c_str(), "r");
    if (file == nullptr) {
        std::size_t length = std::strlen(programFolder);
        std::memcpy(folder, programFolder, length + 1);
        if (length > 0) folder[length - 1] = '\0';
        return;
    }
    // An empty file leaves the folder as it was; a line end stays part of it.
    char line[kPathBufferSize];
    if (std::fgets(line, sizeof line, file) != nullptr) std::strcpy(folder, line);
    std::fclose(file);
}

}  // namespace

void InitProgramFolder(const char* programPath) {
    std::size_t length = std::strlen(programPath);
    if (length >= sizeof programFolder) length = sizeof programFolder - 1;
    std::memcpy(programFolder, programPath, length);
    programFolder[length] = '\0';
    for (std::size_t i = length; i > 0; --i) {
        if (programFolder[i - 1] == '\\' || programFolder[i - 1] == '/') {
            programFolder[i] = '\0';
            break;
        }
    }
}

const char* ProgramFolder() {
    return programFolder;
}

void LoadRememberedFolders() {
    LoadOne(RememberedFolder::Input);
    LoadOne(RememberedFolder::Output);
}

void RememberChosenFolder(const char* chosenPath, RememberedFolder which) {
    const char* separator = LastPathSeparator(chosenPath);
    if (separator == nullptr) return;
    std::string chosen(chosenPath, static_cast<std::size_t>(separator - chosenPath));
    char* folder = FolderBuffer(which);
    if (chosen == folder) return;
    CopyPath(folder, chosen.c_str());
    // Not being able to write the file (a read-only program folder) must not
    // stop the tool: the folder is kept for the rest of the run.
    std::FILE* file = BeginQuietOutputFile(RememberedFile(which).c_str());
    if (file == nullptr) return;
    if (std::fwrite(chosen.data(), 1, chosen.size(), file) != chosen.size()) {
        AbandonOutputFile(file);
        return;
    }
    FinishOutputFile(file);
}

void ResetFolders() {
    programFolder[0] = '\0';
    std::strcpy(InputFolder, ".");
    std::strcpy(OutputFolder, ".");
}
