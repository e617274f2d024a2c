// What a program was doing when a fatal text came from below.
//
// The library's loaders and encoder report their failures with fixed texts
// ("LoadRlsRay: Not a RlsRay file", "List too long 256002") and know no file
// names. While a FatalContext is alive, the tools' shell passes every fatal
// text through ExplainFatalText before it shows it, and the innermost
// context's explainer may add what the program knows: the file being read,
// the frame being encoded and what helps.
//
// Contexts nest (the innermost one speaks) and belong to the thread that made
// them. A context ends with its scope; after a fatal report the process ends
// anyway, and in tests the thrown report unwinds it.
#ifndef UTILS_COMMON_SHELL_CORE_FATAL_CONTEXT_H
#define UTILS_COMMON_SHELL_CORE_FATAL_CONTEXT_H

#include <string>

class FatalContext {
public:
    // Returns the text to show for a fatal text (itself when there is
    // nothing to add). data is handed back unchanged and must outlive the
    // context.
    using Explainer = std::string (*)(const std::string& text, const void* data);

    FatalContext(Explainer explainer, const void* data);
    ~FatalContext();
    FatalContext(const FatalContext&) = delete;
    FatalContext& operator=(const FatalContext&) = delete;

private:
    Explainer explainer_;
    const void* data_;
    FatalContext* outer_;
    friend std::string ExplainFatalText(const std::string& text);
};

// The text as the innermost live context explains it; unchanged without one.
std::string ExplainFatalText(const std::string& text);

#endif
