#include "shell/core/FatalContext.h"

namespace {

thread_local FatalContext* innermost = nullptr;

}  // namespace

FatalContext::FatalContext(Explainer explainer, const void* data)
    : explainer_(explainer), data_(data), outer_(innermost) {
    innermost = this;
}

FatalContext::~FatalContext() {
    innermost = outer_;
}

std::string ExplainFatalText(const std::string& text) {
    if (innermost == nullptr || innermost->explainer_ == nullptr) return text;
    return innermost->explainer_(text, innermost->data_);
}
