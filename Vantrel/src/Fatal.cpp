#include <Vantrel/Fatal.h>

#include <cstdio>
#include <cstdlib>

void ReportFatalOrAbort(const char* text) {
    // ReportFatal is declared [[noreturn]], so after a direct call the
    // compiler may leave out everything that follows, the check below
    // included. Called through a volatile pointer it cannot know what runs,
    // and the check stays.
    void (*volatile report)(const char*) = &ReportFatal;
    report(text);
    std::fprintf(stderr, "Vantrel: ReportFatal returned instead of ending the program: %s\n",
                 text != nullptr ? text : "");
    std::abort();
}
