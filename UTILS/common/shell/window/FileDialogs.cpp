// The standard open and save dialogs behind ChooseFile.
#include <cstring>
#include <string>

#include "shell/core/ToolJob.h"
#include "shell/window/FileDialogs.h"
#include "shell/core/DialogAnswer.h"

#include <windows.h>

namespace {

// Open: read-only box ticked but hidden; folder and file must exist.
constexpr DWORD kOpenDialogFlags = 6149;
static_assert(kOpenDialogFlags ==
              (OFN_READONLY | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
// Save: ask before replacing a file, read-only box hidden, no read-only file,
// the folder must exist.
constexpr DWORD kSaveDialogFlags = 34822;
static_assert(kSaveDialogFlags ==
              (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN));

// Room for any path the dialog may return. A path longer than a path buffer
// is then refused by the shell with its whole text, rather than being turned
// into a silent cancel by a dialog whose buffer is too small.
constexpr DWORD kDialogBufferSize = 4096;

// The dialogs' filter: pairs of zero-terminated strings ended by an empty one.
std::string DialogFilter(const FileFilter& filter) {
    std::string text;
    if (filter.description == nullptr || filter.description[0] == '\0') return text;
    text.append(filter.description).push_back('\0');
    text.append(filter.pattern != nullptr ? filter.pattern : "*").push_back('\0');
    if (filter.secondDescription != nullptr && filter.secondPattern != nullptr) {
        text.append(filter.secondDescription).push_back('\0');
        text.append(filter.secondPattern).push_back('\0');
    }
    text.push_back('\0');
    return text;
}

}  // namespace

bool ChooseFileInDialog(const char* proposed, const FileFilter& filter, char mode,
                        std::string& chosen) {
    bool writing = mode == 'w';
    std::string filterText = DialogFilter(filter);
    std::string buffer(kDialogBufferSize, '\0');
    std::strncpy(buffer.data(), proposed, kDialogBufferSize - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filterText.empty() ? nullptr : filterText.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kDialogBufferSize;
    dialog.lpstrTitle = writing ? "File To Write" : "File To Read";
    dialog.Flags = writing ? kSaveDialogFlags : kOpenDialogFlags;

    for (;;) {
        BOOL answered = writing ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
        if (!answered) return false;
        chosen.assign(buffer.c_str());
        // The system dialog knows nothing of the run's inputs: an output
        // that names one is refused here, and the dialog opens again.
        if (!writing || JobInputNamedBy(chosen) == nullptr) return true;
        const std::string text = chosen + "\n" + DialogRefusalText(DialogAnswer::NamesInput);
        MessageBoxA(dialog.hwndOwner, text.c_str(), "File To Write", MB_OK | MB_ICONWARNING);
    }
}
