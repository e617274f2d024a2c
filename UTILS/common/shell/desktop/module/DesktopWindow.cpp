// The desktop window front end (GTK 3): the tool's small window, its keys,
// one copy per tool, and the desktop's dialogs. Built into the desktop module
// (DesktopModule.h), which the program opens only when it is used.
//
// Without arguments and with a display the tools open this window: the class
// name as the first title, then the tool's title; a white client area of the
// tool's size that cannot be resized, centred on the screen. Keys act on
// release (Q quits, Alt+Q already on its press); closing the window quits.
// A second start of a tool in the same desktop session brings the first
// window to the front and ends with exit code 0.
#include <gtk/gtk.h>

#include <bitset>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "shell/posix/PosixPlatform.h"
#include "shell/desktop/module/DesktopDialogs.h"
#include "shell/desktop/module/DesktopWindow.h"
#include "shell/desktop/helpers/DesktopKeys.h"
#include "shell/core/KeyDispatch.h"

namespace {

struct DesktopState {
    const ToolParameters* tool = nullptr;
    // Null when no session bus answered. Once registered it lives until the
    // process ends, which follows closing the window anyway.
    GtkApplication* application = nullptr;
    GtkWidget* window = nullptr;
    // Hardware key codes whose press reached the window. A release acts only
    // after its press: the release of the Enter that closed a file chooser
    // must not start another job in the tool window.
    std::bitset<256> pressedKeys;
    // A key handler is running (maybe inside a chooser's nested loop): the
    // window takes no keys and cannot be closed until it returns, as an
    // owner window under a modal dialog.
    bool handlerRunning = false;
    guint idleInhibitCookie = 0;
};

DesktopState state;

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

GtkWindow* ToolWindow() {
    return state.window != nullptr ? GTK_WINDOW(state.window) : nullptr;
}

// The released key's symbol without Shift or Caps Lock, so that i and I (and
// 1 and !) give the same code; a layout without Latin letters falls back on
// another group of the keymap.
unsigned UnshiftedSymbol(const GdkEventKey* event) {
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
    const auto numLock = static_cast<GdkModifierType>(event->state & GDK_MOD2_MASK);
    guint symbol = 0;
    const int eventGroup = event->group;
    for (int group : {eventGroup, 0, 1, 2, 3}) {
        if (gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, numLock, group,
                                                &symbol, nullptr, nullptr, nullptr) &&
            VirtualKeyOfSymbol(symbol) != 0) {
            return symbol;
        }
    }
    return event->keyval;
}

bool AltHeld(const GdkEventKey* event) {
    return (event->state & GDK_MOD1_MASK) != 0;
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer) {
    if (IsQuitPress(UnshiftedSymbol(event), AltHeld(event))) {
        RequestQuit();
        return TRUE;
    }
    state.pressedKeys.set(event->hardware_keycode % state.pressedKeys.size());
    return TRUE;
}

gboolean OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer) {
    const std::size_t code = event->hardware_keycode % state.pressedKeys.size();
    const bool pressedHere = state.pressedKeys.test(code);
    state.pressedKeys.reset(code);
    if (!pressedHere || state.handlerRunning) return TRUE;

    const unsigned symbol = UnshiftedSymbol(event);
    if (IsSystemKeyRelease(symbol, AltHeld(event))) return TRUE;
    const int key = VirtualKeyOfSymbol(symbol);
    if (key == 0) return TRUE;
    state.handlerRunning = true;
    DispatchKeyRelease(*state.tool, key);
    state.handlerRunning = false;
    return TRUE;
}

gboolean OnFocusOut(GtkWidget*, GdkEvent*, gpointer) {
    state.pressedKeys.reset();
    return FALSE;
}

gboolean OnDeleteRequest(GtkWidget*, GdkEvent*, gpointer) {
    return state.handlerRunning ? TRUE : FALSE;
}

void OnDestroyed(GtkWidget*, gpointer) {
    state.window = nullptr;
    state.idleInhibitCookie = 0;
    RequestQuit();
}

// While the window is in front the screen saver and monitor power-down are
// held off, as the tools have always done.
void OnActiveChanged(GObject*, GParamSpec*, gpointer) {
    if (state.window == nullptr || state.application == nullptr) return;
    const bool active = gtk_window_is_active(GTK_WINDOW(state.window));
    if (active && state.idleInhibitCookie == 0) {
        state.idleInhibitCookie =
            gtk_application_inhibit(state.application, GTK_WINDOW(state.window),
                                    GTK_APPLICATION_INHIBIT_IDLE, state.tool->className);
    } else if (!active && state.idleInhibitCookie != 0) {
        gtk_application_uninhibit(state.application, state.idleInhibitCookie);
        state.idleInhibitCookie = 0;
    }
}

gboolean PaintWhite(GtkWidget*, cairo_t* cairo, gpointer) {
    cairo_set_source_rgb(cairo, 1.0, 1.0, 1.0);
    cairo_paint(cairo);
    return TRUE;
}

// A second start of the tool reaches the first copy here.
void OnActivate(GApplication*, gpointer) {
    if (state.window != nullptr) gtk_window_present(GTK_WINDOW(state.window));
}

std::string ApplicationId(const ToolParameters& tool) {
    return std::string("org.vantrel.") + tool.programName;
}

bool DesktopClaim(void*, const ToolParameters& tool) {
    const std::string id = ApplicationId(tool);
    if (g_application_id_is_valid(id.c_str())) {
        state.application = gtk_application_new(id.c_str(), G_APPLICATION_DEFAULT_FLAGS);
        g_signal_connect(state.application, "activate", G_CALLBACK(OnActivate), nullptr);
        GError* error = nullptr;
        if (!g_application_register(G_APPLICATION(state.application), nullptr, &error)) {
            // The session bus did not answer: no check through it, and the
            // tool runs rather than not at all.
            g_clear_error(&error);
            g_clear_object(&state.application);
        } else if (g_application_get_is_remote(G_APPLICATION(state.application))) {
            g_application_activate(G_APPLICATION(state.application));
            if (GDBusConnection* bus =
                    g_application_get_dbus_connection(G_APPLICATION(state.application))) {
                g_dbus_connection_flush_sync(bus, nullptr, nullptr);
            }
            return false;
        }
    }
    // A copy with no window to bring forward: one in a terminal, or one that
    // started without a session bus.
    long runningPid = 0;
    if (ClaimToolClassLock(tool.className, runningPid)) return true;
    if (runningPid > 0) {
        std::printf("%s is already running (pid %ld)\n", tool.programName, runningPid);
    } else {
        std::printf("%s is already running\n", tool.programName);
    }
    std::fflush(stdout);
    return false;
}

bool DesktopOpen(void*, const ToolParameters& tool) {
    state.tool = &tool;
    gdk_set_program_class(tool.className);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* asWindow = GTK_WINDOW(window);
    if (state.application != nullptr) gtk_window_set_application(asWindow, state.application);
    gtk_window_set_title(asWindow, tool.className);
    gtk_window_set_resizable(asWindow, FALSE);
    gtk_window_set_position(asWindow, GTK_WIN_POS_CENTER);

    GtkWidget* clientArea = gtk_drawing_area_new();
    gtk_widget_set_size_request(clientArea, tool.clientWidth, tool.clientHeight);
    g_signal_connect(clientArea, "draw", G_CALLBACK(PaintWhite), nullptr);
    gtk_container_add(GTK_CONTAINER(window), clientArea);

    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), nullptr);
    g_signal_connect(window, "key-release-event", G_CALLBACK(OnKeyRelease), nullptr);
    g_signal_connect(window, "focus-out-event", G_CALLBACK(OnFocusOut), nullptr);
    g_signal_connect(window, "delete-event", G_CALLBACK(OnDeleteRequest), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(OnDestroyed), nullptr);
    g_signal_connect(window, "notify::is-active", G_CALLBACK(OnActiveChanged), nullptr);

    state.window = window;
    gtk_widget_show_all(window);
    return true;
}

void DesktopSetTitle(void*, const char* title) {
    if (state.window != nullptr) gtk_window_set_title(GTK_WINDOW(state.window), title);
}

bool DesktopChooseFile(void*, const char* proposed, const FileFilter& filter, char mode,
                       std::string& chosen) {
    return RunFileChooser(ToolWindow(), proposed, filter, mode, chosen);
}

void DesktopShowInfo(void*, const char* text) {
    RunMessageDialog(ToolWindow(), "Info", text, false);
}

void DesktopReportFatal(void*, const char* text) {
    RunMessageDialog(ToolWindow(), "Fatal Error", text, true);
}

int DesktopRun(void*, const ToolParameters&) {
    while (!QuitRequested()) g_main_context_iteration(nullptr, TRUE);
    return QuitExitCode();
}

void DesktopClose(void*) {
    if (state.window != nullptr) gtk_widget_destroy(state.window);
    gdk_display_flush(gdk_display_get_default());
}

void DesktopMinimize(void*) {
    if (state.window != nullptr) gtk_window_iconify(GTK_WINDOW(state.window));
}

const FrontEnd kDesktopFrontEnd = {
    .name = "desktop",
    .context = nullptr,
    .claimSingleInstance = DesktopClaim,
    .open = DesktopOpen,
    .setTitle = DesktopSetTitle,
    .chooseFile = DesktopChooseFile,
    .showInfo = DesktopShowInfo,
    .showWarning = nullptr,
    .reportFatal = DesktopReportFatal,
    .outputWritten = nullptr,
    .run = DesktopRun,
    .close = DesktopClose,
    .minimize = DesktopMinimize,
    .nativeWindow = nullptr,
};

}  // namespace

const FrontEnd* OpenDesktopWindow() {
    if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) return nullptr;
    // The tools' logic keeps the "C" locale of the other front ends; only the
    // desktop's own words (Cancel, Open, ...) follow the user's language.
    gtk_disable_setlocale();
    std::setlocale(LC_MESSAGES, "");
    if (!gtk_init_check(nullptr, nullptr)) return nullptr;
    return &kDesktopFrontEnd;
}
