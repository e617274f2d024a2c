// What a tool hands the shell: its parameters (names, client size, title
// update, key handler) and its command-line flags.
#ifndef UTILS_COMMON_SHELL_CORE_TOOL_PARAMETERS_H
#define UTILS_COMMON_SHELL_CORE_TOOL_PARAMETERS_H

// A command-line flag of a tool's batch front end. It sets the same state the
// tool's keys toggle.
struct ToolFlag {
    const char* name;       // "--border"
    const char* valueName;  // "0|1" when the flag takes a value, else nullptr
    const char* help;       // one line for --help
    // Applies the flag; value is nullptr for a switch. Returns false when the
    // value is refused (a usage error, exit code 2).
    bool (*apply)(const char* value);
};

struct ToolParameters {
    const char* programName;  // lower-case executable name for --help, e.g. "quarvin"
    const char* className;    // window class, also the window's first title
    int clientWidth;
    int clientHeight;
    void (*updateTitle)();          // called once after the window exists; may be null
    void (*onKeyRelease)(int key);  // every key release but Q
    int runKey;                     // the key whose release runs the tool's job in batch mode
    const char* inputHelp;          // positional argument in --help, e.g. "FRAME.tga"
    const char* outputHelp;         // -o argument in --help, e.g. "OUT.sh"
    const char* summary;            // one line for --help
    const ToolFlag* flags;
    int flagCount;
};

#endif
