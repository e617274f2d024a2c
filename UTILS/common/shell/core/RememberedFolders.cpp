// The program folder and the remembered input and output folders, kept in
// indir.txt and outdir.txt beside the program, or in the user's state folder
// when the program's folder cannot be written.
#include <cstdio>
#include <cstring>
#include <string>

#include "shell/core/RememberedFolders.h"
#include "shell/core/OutputFiles.h"
#include "shell/core/Paths.h"
#include "shell/platform/Platform.h"

char InputFolder[kPathBufferSize] = ".";
char OutputFolder[kPathBufferSize] = ".";

namespace {

char programFolder[kPathBufferSize] = "";
// Where indir.txt and outdir.txt live, with the trailing separator; empty
// when they are left alone (--no-remember, or no state folder to be had).
std::string folderFilesFolder;
// The folder a first run starts in, without a trailing separator.
std::string startFolder;
// The state folder is made when the first folder file is written into it.
bool folderFilesFolderMade = true;
bool remembering = true;

std::string RememberedFile(RememberedFolder which) {
    return folderFilesFolder + (which == RememberedFolder::Input ? "indir.txt" : "outdir.txt");
}

char* FolderBuffer(RememberedFolder which) {
    return which == RememberedFolder::Input ? InputFolder : OutputFolder;
}

void LoadOne(RememberedFolder which) {
    char* folder = FolderBuffer(which);
    std::FILE* file = remembering ? std::fopen(RememberedFile(which).c_str(), "r") : nullptr;
    if (file == nullptr) {
        CopyPath(folder, startFolder.c_str());
        return;
    }
    // An empty file leaves the folder as it was; a line end stays part of it.
    char line[kPathBufferSize];
    if (std::fgets(line, sizeof line, file) != nullptr) std::strcpy(folder, line);
    std::fclose(file);
}

void WriteFolderFile(RememberedFolder which, const std::string& chosen) {
    if (!remembering) return;
    if (!folderFilesFolderMade) {
        if (!MakeFolders(folderFilesFolder)) return;
        folderFilesFolderMade = true;
    }
    // Not being able to write the file (a read-only folder) must not stop
    // the tool: the folder is kept for the rest of the run.
    std::FILE* file = BeginQuietOutputFile(RememberedFile(which).c_str());
    if (file == nullptr) return;
    if (std::fwrite(chosen.data(), 1, chosen.size(), file) != chosen.size()) {
        AbandonOutputFile(file);
        return;
    }
    FinishOutputFile(file);
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
    folderFilesFolder = programFolder;
    folderFilesFolderMade = true;
    startFolder = programFolder;
    if (!startFolder.empty()) startFolder.pop_back();
    remembering = true;
}

void PlaceFolderFiles(const char* programName) {
    if (CanWriteFolder(programFolder)) return;
    startFolder = CurrentFolder();
    if (startFolder.empty()) startFolder = ".";
    folderFilesFolder = UserStateFolder(programName);
    folderFilesFolderMade = false;
    if (folderFilesFolder.empty()) remembering = false;
}

void LeaveFolderFilesAlone() {
    remembering = false;
}

const char* FolderFilesFolder() {
    return remembering ? folderFilesFolder.c_str() : "";
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
    WriteFolderFile(which, chosen);
}

void ResetFolders() {
    programFolder[0] = '\0';
    std::strcpy(InputFolder, ".");
    std::strcpy(OutputFolder, ".");
    folderFilesFolder.clear();
    folderFilesFolderMade = true;
    startFolder.clear();
    remembering = true;
}
