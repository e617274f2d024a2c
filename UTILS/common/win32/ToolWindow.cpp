// The tool's window: start-up, the message loop, the window procedure and the
// window-level services of the shell.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "../../../Vantrel/Pixel.h"
#include "Win32Shell.h"

namespace {

const ToolParameters* activeTool = nullptr;
HWND toolWindow = nullptr;
HINSTANCE toolInstance = nullptr;
// Set while the fatal-error box is up. The box has no owner, so the tool
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
constexpr int kInfoTextSize = 4096;

}  // namespace

HWND ToolWindowHandle() {
    return toolWindow;
}

bool InitToolWindow(const ToolParameters& tool, HINSTANCE instance, HINSTANCE /*previousInstance*/,
                    int showCommand) {
    activeTool = &tool;
    LoadRememberedFolders();

    HWND running = FindWindowA(tool.className, nullptr);
    if (running != nullptr) {
        BringWindowToTop(running);
        return false;
    }

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
    // A window that could not be created leaves the program running without
    // one; Q cannot reach it, but closing it from the task list can.
    if (toolWindow != nullptr) {
        ShowWindow(toolWindow, showCommand);
        UpdateWindow(toolWindow);
    }
    toolInstance = instance;

    if (tool.updateTitle != nullptr) tool.updateTitle();
    SelectProgramPixelMode();
    return true;
}

int RunToolLoop(const ToolParameters& tool, HINSTANCE instance, HINSTANCE previousInstance,
                LPSTR /*commandLine*/, int showCommand) {
    if (!InitToolWindow(tool, instance, previousInstance, showCommand)) return 0;

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
    CloseToolWindow();
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            toolInstance = reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            // The handle dies with the window; forgetting it here keeps
            // CloseToolWindow from destroying a handle that may be reused.
            if (window == toolWindow) toolWindow = nullptr;
            break;
        case WM_SETFOCUS:
            SetFocus(window);
            return 0;
        case WM_KEYDOWN:
            return 0;
        case WM_KEYUP:
            if (wParam == kQuitKey) {
                PostQuitMessage(0);
            } else if (!reportingFatal && activeTool != nullptr &&
                       activeTool->onKeyRelease != nullptr) {
                activeTool->onKeyRelease(static_cast<int>(wParam));
            }
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

void ReportFatalInWindow(const char* text) {
    reportingFatal = true;
    MessageBoxA(nullptr, text != nullptr ? text : "", "Fatal Error", MB_OK | MB_ICONEXCLAMATION);
    CloseToolWindow();
    std::exit(1);
}

void ShowInfo(const char* format, ...) {
    char text[kInfoTextSize];
    va_list values;
    va_start(values, format);
    std::vsnprintf(text, sizeof text, format, values);
    va_end(values);
    MessageBoxA(toolWindow, text, "Info", MB_OK | MB_ICONINFORMATION);
}

void CloseToolWindow() {
    if (toolWindow == nullptr) return;
    HWND window = toolWindow;
    toolWindow = nullptr;
    DestroyWindow(window);
}

void MinimizeToolWindow() {
    if (toolWindow != nullptr) ShowWindow(toolWindow, SW_MINIMIZE);
}

bool ShellOpen(const char* file, const char* folder, bool minimizeFirst) {
    if (minimizeFirst) MinimizeToolWindow();
    HINSTANCE result = ShellExecuteA(toolWindow, "open", file, nullptr, folder, SW_SHOWNORMAL);
    // ShellExecuteA reports success with a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void RequestQuit() {
    PostQuitMessage(0);
}

bool IsToolActive() {
    return true;
}
