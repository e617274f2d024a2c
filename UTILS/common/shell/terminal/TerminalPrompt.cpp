#include "shell/terminal/TerminalPrompt.h"

#include <cstdlib>
#include <vector>

#include <Vantrel/dynlist.h>
#include "shell/terminal/FileCompletion.h"
#include "shell/terminal/FolderEntries.h"
#include "shell/terminal/LineEditor.h"
#include "shell/terminal/TerminalIo.h"
#include "shell/core/DialogAnswer.h"
#include "shell/platform/FileSystem.h"

namespace {

constexpr int kMostListed = 40;

// The answers accepted in this run, the oldest first (Up recalls them).
std::vector<std::string>& Answers() {
    static std::vector<std::string> answers;
    return answers;
}

std::string Home() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? home : "";
}

// ---- Drawing ----

void DrawLine(const std::string& text, std::size_t cursor) {
    // The line never wraps: only a part of a long path is shown.
    PromptView view = ViewOfLine(text, cursor, static_cast<std::size_t>(TerminalWidth() - 4));
    TerminalWrite("\r\033[K> " + view.shown + "\r\033[" + std::to_string(view.cursorColumn + 2) +
                  "C");
}

void ShowNames(const std::vector<std::string>& names, const std::string& empty) {
    if (names.empty()) {
        TerminalWrite("\n  " + empty + "\n");
        return;
    }
    TerminalWrite("\n");
    for (std::size_t i = 0; i < names.size() && i < kMostListed; ++i)
        TerminalWrite("  " + names[i] + "\n");
    if (names.size() > kMostListed)
        TerminalWrite("  ... " + std::to_string(names.size() - kMostListed) + " more\n");
}

void ListMatches(const std::string& pattern) {
    DynList<char*> found;
    std::vector<std::string> names;
    if (ListDirectory(pattern.c_str(), found, false) == 0) {
        for (int i = 0; i < found.Count(); ++i) names.emplace_back(found.Get(i));
    }
    while (found.Count() > 0) {
        DebugFree(found.Get(0));
        found.RemoveAt(0);
    }
    ShowNames(names, "nothing matches");
}

// ---- Editing ----

// Tab: completes the name before the cursor in its folder; when the matches
// share no longer prefix, a second Tab in a row lists them. Else a bell.
void CompleteAtCursor(LineEditor& editor, const std::string& proposedFolder, bool secondTab) {
    CompletionPlace place =
        PlaceToComplete(editor.Text().substr(0, editor.Cursor()), proposedFolder, Home());
    Completion completion = CompleteName(place.partial, ListFolderEntries(place.folder));
    if (!completion.addition.empty()) {
        editor.Insert(completion.addition);
    } else if (completion.matches.size() > 1 && secondTab) {
        ShowNames(completion.matches, "");
    } else {
        TerminalWrite("\a");
    }
}

// Edits text on the raw terminal until Enter (true) or Escape, Ctrl-C or the
// end of input (false).
bool EditAnswer(std::string& text, const std::string& proposedFolder) {
    LineEditor editor(text, Answers());
    TerminalBytes bytes;
    bool tabBefore = false;
    DrawLine(editor.Text(), editor.Cursor());
    for (;;) {
        EditKeyPress press = ReadEditKey(bytes);
        EditOutcome outcome = editor.Apply(press);
        if (outcome == EditOutcome::Accept || outcome == EditOutcome::Cancel) {
            text = editor.Text();
            return outcome == EditOutcome::Accept;
        }
        if (outcome == EditOutcome::Complete) CompleteAtCursor(editor, proposedFolder, tabBefore);
        tabBefore = press.key == EditKey::Tab;
        DrawLine(editor.Text(), editor.Cursor());
    }
}

// Standard input that is no terminal in raw mode: bytes are appended to the
// text, Backspace and Ctrl-U edit it, a line end accepts.
bool ReadPlainAnswer(std::string& text) {
    TerminalBytes bytes;
    DrawLine(text, text.size());
    for (;;) {
        EditKeyPress press = ReadEditKey(bytes);
        switch (press.key) {
            case EditKey::Enter:
                return true;
            case EditKey::Cancel:
            case EditKey::Interrupt:
            case EditKey::EndOfInput:
                return false;
            case EditKey::Text:
                text += press.byte;
                break;
            case EditKey::Backspace:
                while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
                    text.pop_back();
                if (!text.empty()) text.pop_back();
                break;
            case EditKey::ClearLine:
                text.clear();
                break;
            default:
                break;
        }
        DrawLine(text, text.size());
    }
}

}  // namespace

bool AskYes(const std::string& question) {
    TerminalWrite("\n" + question + " (y/n) ");
    TerminalBytes bytes;
    EditKeyPress press = ReadEditKey(bytes);
    bool yes = press.key == EditKey::Text && (press.byte == 'y' || press.byte == 'Y');
    TerminalWrite(yes ? "yes\n" : "no\n");
    return yes;
}

bool ChooseFileAtPrompt(void*, const char* proposed, const FileFilter& filter, char mode,
                        std::string& chosen) {
    TerminalWrite(std::string("\n") + (mode == 'w' ? "File To Write" : "File To Read") + " - " +
                  filter.description + " (" + filter.pattern +
                  ")   Enter accepts, Esc cancels, Tab completes\n");
    std::string folder = FolderOfProposed(proposed);
    std::string text = proposed;
    for (;;) {
        bool answered = InRawMode() ? EditAnswer(text, folder) : ReadPlainAnswer(text);
        if (!answered) {
            TerminalWrite("\ncancelled\n");
            return false;
        }
        chosen = AbsolutePath(ResolveTypedPath(text, folder, Home()).c_str());
        DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
        if (verdict == DialogAnswer::Accepted) break;
        if (verdict == DialogAnswer::Replaces) {
            if (AskYes(chosen + " already exists. Replace it?")) break;
            continue;
        }
        if (verdict == DialogAnswer::Wildcard) {
            ListMatches(chosen);
        } else {
            TerminalWrite("\n  " + chosen + ": " + DialogRefusalText(verdict) + "\n");
        }
    }
    if (Answers().empty() || Answers().back() != chosen) Answers().push_back(chosen);
    TerminalWrite("\n");
    return true;
}
