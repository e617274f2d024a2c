// The standard open and save dialogs behind ChooseFile.
#include <cstring>

#include "Win32Shell.h"

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

}  // namespace

bool ChooseFileInDialog(char* path, const char* filter, char mode) {
    bool writing = mode == 'w';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathBufferSize;
    dialog.lpstrTitle = writing ? "File To Write" : "File To Read";
    dialog.Flags = writing ? kSaveDialogFlags : kOpenDialogFlags;

    // The dialog writes its answer over the proposed path; keep the proposal
    // so that a refused answer leaves the caller's buffer as it was.
    char proposed[kPathBufferSize];
    std::memcpy(proposed, path, kPathBufferSize);
    BOOL chosen = writing ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (chosen) return true;

    DWORD failure = CommDlgExtendedError();
    std::memcpy(path, proposed, kPathBufferSize);
    if (failure == FNERR_BUFFERTOOSMALL) {
        ReportFatal("ChooseFile: The chosen path is longer than 255 characters");
    }
    return false;
}
