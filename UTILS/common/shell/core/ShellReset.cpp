// Returning the whole shell to its state before start-up.
#include "shell/core/ShellReset.h"

#include "shell/core/FrontEnd.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/OutputFiles.h"
#include "shell/core/RememberedFolders.h"
#include "shell/core/WindowServices.h"

void ResetToolShellState() {
    AbandonAllOutputFiles();
    ResetFolders();
    SetActiveFrontEnd(nullptr);
    SetToolTitle("");
    ClearQuitRequest();
    ForgetCompletedOutputs();
}
