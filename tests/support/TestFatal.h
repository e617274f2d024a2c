// The test programs' ReportFatal: it throws FatalError carrying the text, so a
// test can run library or tool code in process and look at the fatal report.
#ifndef TESTS_SUPPORT_TEST_FATAL_H
#define TESTS_SUPPORT_TEST_FATAL_H

#include <stdexcept>
#include <string>

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs action and returns the text it reported through ReportFatal, or an
// empty string when it finished without one.
template <typename Action>
std::string FatalTextOf(Action&& action) {
    try {
        action();
    } catch (const FatalError& e) {
        return e.what();
    }
    return {};
}

#endif
