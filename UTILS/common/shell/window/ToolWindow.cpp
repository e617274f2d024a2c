// The tool's window: single instance, class and window, the message loop, the
// window procedure and the message boxes.
#include <cstdlib>

#include "shell/window/ToolWindow.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/WindowServices.h"
#include "shell/window/FileDialogs.h"

namespace {

const ToolParameters* activeTool = nullptr;
HWND toolWindow = nullptr;
HINSTANCE toolInstance = nullptr;
// Set while the fatal-error box is up. That box has no owner, so the tool
// window stays enabled under it; its key releases must not start new work
// while the program is on its way out.
bool reportingFatal = false;

constexpr COLORREF kWhite = 16777215;
static_assert(kWhite == RGB(255, 255, 255));

// The Alt flag of a system key message: bit 29 of its second parameter.
constexpr LPARAM kAltFlag = LPARAM{1} << 29;
constexpr WPARAM kSystemCommandMask = 0xFFF0;
constexpr WPARAM kScreenSaverCommand = 0xF140;
constexpr WPARAM kMonitorPowerCommand = 0xF170;
static_assert(kScreenSaverCommand == SC_SCREENSAVE && kMonitorPowerCommand == SC_MONITORPOWER);
constexpr WPARAM kQuitKey = 'Q';

// The show command the program was started with, as WinMain would get it.
int StartShowCommand() {
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

void HandleKeyRelease(WPARAM key) {
    if (key == kQuitKey) {
        PostQuitMessage(0);
        return;
    }
    if (reportingFatal || activeTool == nullptr) return;
    DispatchKeyRelease(*activeTool, static_cast<int>(key));
    // A tool may ask to quit from its handler (RequestQuit).
    if (QuitRequested()) PostQuitMessage(QuitExitCode());
}

void SetWindowTitle(void*, const char* title) {
    if (toolWindow != nullptr) SetWindowTextA(toolWindow, title);
}

void ShowInfoBox(void*, const char* text) {
    MessageBoxA(toolWindow, text, "Info", MB_OK | MB_ICONINFORMATION);
}

void ShowFatalBox(void*, const char* text) {
    reportingFatal = true;
    MessageBoxA(nullptr, text, "Fatal Error", MB_OK | MB_ICONEXCLAMATION);
}

void DestroyToolWindow(void*) {
    if (toolWindow == nullptr) return;
    HWND window = toolWindow;
    toolWindow = nullptr;
    DestroyWindow(window);
}

void MinimizeWindow(void*) {
    if (toolWindow != nullptr) ShowWindow(toolWindow, SW_MINIMIZE);
}

void* NativeWindow(void*) {
    return toolWindow;
}

const FrontEnd kToolWindowFrontEnd = {
    .name = "window",
    .context = nullptr,
    .claimSingleInstance = [](void*,
                              const ToolParameters& tool) { return ClaimToolWindowClass(tool); },
    .open = [](void*, const ToolParameters& tool) { return InitToolWindow(tool); },
    .setTitle = SetWindowTitle,
    .chooseFile =
        [](void*, const char* proposed, const FileFilter& filter, char mode, std::string& chosen) {
            return ChooseFileInDialog(proposed, filter, mode, chosen);
        },
    .showInfo = ShowInfoBox,
    .showWarning = nullptr,
    .reportFatal = ShowFatalBox,
    .outputWritten = nullptr,
    .run = [](void*, const ToolParameters& tool) { return RunToolLoop(tool); },
    .close = DestroyToolWindow,
    .minimize = MinimizeWindow,
    .nativeWindow = NativeWindow,
};

}  // namespace

const FrontEnd& ToolWindowFrontEnd() {
    return kToolWindowFrontEnd;
}

HWND ToolWindowHandle() {
    return toolWindow;
}

bool ClaimToolWindowClass(const ToolParameters& tool) {
    HWND running = FindWindowA(tool.className, nullptr);
    if (running == nullptr) return true;
    BringWindowToTop(running);
    return false;
}

bool InitToolWindow(const ToolParameters& tool) {
    activeTool = &tool;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = ToolWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the standard arrow
    windowClass.hbrBackground = CreateSolidBrush(kWhite);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = tool.className;
    if (RegisterClassA(&windowClass) == 0) return false;

    int x = (GetSystemMetrics(SM_CXSCREEN) - tool.clientWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - tool.clientHeight) / 2;
    toolWindow =
        CreateWindowExA(0, tool.className, tool.className, kToolWindowStyle, x, y,
                        tool.clientWidth + kFrameExtraWidth, tool.clientHeight + kFrameExtraHeight,
                        nullptr, nullptr, instance, nullptr);
    // Without a window the loop still runs; nothing can reach it, but ending
    // the process from the task list still works, as it always has.
    if (toolWindow != nullptr) {
        ShowWindow(toolWindow, StartShowCommand());
        UpdateWindow(toolWindow);
    }
    toolInstance = instance;
    return true;
}

int RunToolLoop(const ToolParameters&) {
    MSG message{};
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (IsToolActive()) {
            WaitMessage();
        }
    }
    DestroyToolWindow(nullptr);
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            toolInstance = reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            // The handle dies with the window; forgetting it here keeps a
            // later close from destroying a handle the system may reuse.
            if (window == toolWindow) toolWindow = nullptr;
            break;
        case WM_SETFOCUS:
            SetFocus(window);
            return 0;
        case WM_KEYDOWN:
            return 0;
        case WM_KEYUP:
            HandleKeyRelease(wParam);
            return 0;
        case WM_SYSKEYDOWN:
            if ((lParam & kAltFlag) != 0 && wParam == kQuitKey) {
                PostQuitMessage(0);
                return 0;
            }
            break;
        case WM_SYSCOMMAND: {
            WPARAM command = wParam & kSystemCommandMask;
            if (command == kScreenSaverCommand || command == kMonitorPowerCommand) return 0;
            break;
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
