// The tool window in process: geometry and class, keys acting on release, the
// quit paths, single instance and the message loop. These tests need a
// display (wine with an X server, or Windows); without one they are skipped.
#include <gtest/gtest.h>

#include <vector>

#include "shell/core/FrontEnd.h"
#include "shell/core/ShellReset.h"
#include "shell/window/ToolWindow.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/WindowServices.h"

namespace {

std::vector<int> released;
void RecordRelease(int key) {
    released.push_back(key);
    if (key == 'X') RequestQuit();
}

const ToolParameters kTool = {
    .programName = "windowtest",
    .className = "Tool window test",
    .clientWidth = 350,
    .clientHeight = 20,
    .updateTitle = nullptr,
    .onKeyRelease = RecordRelease,
    .runKey = 'I',
    .inputHelp = "IN",
    .outputHelp = "OUT",
    .summary = "",
    .flags = nullptr,
    .flagCount = 0,
};

// Removes every message waiting for this thread; true when one was WM_QUIT.
bool DrainQuit() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
    }
    return quit;
}

class ToolWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetToolShellState();
        released.clear();
        SetActiveFrontEnd(&ToolWindowFrontEnd());
        if (!InitToolWindow(kTool) || ToolWindowHandle() == nullptr) {
            Unregister();
            GTEST_SKIP() << "no display to create windows on";
        }
        window_ = ToolWindowHandle();
        DrainQuit();
    }
    void TearDown() override {
        CloseToolWindow();
        DrainQuit();
        Unregister();
        ResetToolShellState();
    }
    static void Unregister() { UnregisterClassA(kTool.className, GetModuleHandleA(nullptr)); }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return SendMessageA(window_, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST_F(ToolWindow, IsCentredWithTheFixedFrameAndStyle) {
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(window_, &outer));
    EXPECT_EQ(outer.right - outer.left, 350 + 6);
    EXPECT_EQ(outer.bottom - outer.top, 20 + 25);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 350) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 20) / 2);

    LONG style = GetWindowLongA(window_, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), 0x00CA0000);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "no resizing, no maximising";
    EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);

    char title[128] = "";
    GetWindowTextA(window_, title, sizeof title);
    EXPECT_STREQ(title, kTool.className) << "the class name is the first title";
}

TEST_F(ToolWindow, ClassHasTheArrowAndAWhiteBackground) {
    HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(window_, GCLP_HCURSOR));
    EXPECT_EQ(cursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND));
    LOGBRUSH description{};
    ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
    EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(description.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetClassLongA(window_, GCL_STYLE), 0u);
}

TEST_F(ToolWindow, KeysActOnReleaseOnly) {
    constexpr LPARAM kRepeat = 1 << 30;  // previous key state: down
    Send(WM_KEYDOWN, 'B', 1);
    Send(WM_KEYDOWN, 'B', kRepeat | 1);
    Send(WM_KEYDOWN, 'B', kRepeat | 1);
    EXPECT_TRUE(released.empty()) << "holding or repeating a key does nothing";
    Send(WM_KEYUP, 'B');
    Send(WM_KEYUP, 'I');
    EXPECT_EQ(released, (std::vector<int>{'B', 'I'}));
    EXPECT_FALSE(DrainQuit());
}

TEST_F(ToolWindow, QuitPaths) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM key;
        LPARAM flags;
        bool quits;
    };
    constexpr LPARAM kAlt = LPARAM{1} << 29;
    const Case cases[] = {
        {"Q released", WM_KEYUP, 'Q', 0, true},
        {"Q pressed", WM_KEYDOWN, 'Q', 0, false},
        {"Alt+Q pressed", WM_SYSKEYDOWN, 'Q', kAlt, true},
        {"F10+Q (no Alt flag)", WM_SYSKEYDOWN, 'Q', 0, false},
        {"Alt+W pressed", WM_SYSKEYDOWN, 'W', kAlt, false},
    };
    for (const Case& c : cases) {
        Send(c.message, c.key, c.flags);
        EXPECT_EQ(DrainQuit(), c.quits) << c.what;
    }
    EXPECT_TRUE(released.empty()) << "Q never reaches the tool";
}

TEST_F(ToolWindow, ScreenSaverAndMonitorPowerAreSwallowed) {
    // The low four bits of a system command are the system's own; the
    // command is compared after masking them.
    for (WPARAM command : {WPARAM{0xF140}, WPARAM{0xF143}, WPARAM{0xF170}, WPARAM{0xF17F}}) {
        EXPECT_EQ(Send(WM_SYSCOMMAND, command, 2), 0) << std::hex << command;
    }
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(ToolWindow, OneCopyPerClass) {
    EXPECT_FALSE(ClaimToolWindowClass(kTool)) << "a window of the class exists";
    CloseToolWindow();
    EXPECT_EQ(ToolWindowHandle(), nullptr);
    EXPECT_TRUE(DrainQuit()) << "destroying the window posts the quit message";
    EXPECT_TRUE(ClaimToolWindowClass(kTool));
}

TEST_F(ToolWindow, LoopRunsKeysUntilQuit) {
    struct Case {
        const char* what;
        std::vector<WPARAM> keys;
        std::vector<int> released;
    };
    const Case cases[] = {
        {"Q ends the loop", {'B', 'O', 'Q'}, {'B', 'O'}},
        {"a tool's RequestQuit ends it", {'F', 'X'}, {'F', 'X'}},
    };
    for (const Case& c : cases) {
        if (ToolWindowHandle() == nullptr) {
            Unregister();
            ASSERT_TRUE(InitToolWindow(kTool));
            window_ = ToolWindowHandle();
            ASSERT_NE(window_, nullptr);
        }
        released.clear();
        ClearQuitRequest();
        for (WPARAM key : c.keys) PostMessageA(window_, WM_KEYUP, key, 0);
        EXPECT_EQ(RunToolLoop(kTool), 0) << c.what;
        EXPECT_EQ(released, c.released) << c.what;
        EXPECT_EQ(ToolWindowHandle(), nullptr) << "the loop closes the window";
        DrainQuit();
    }
}

}  // namespace
