// The module runs without C++ exceptions: WASI's C++ library is built
// without them, and browsers run WebAssembly built by this compiler without
// unwinding. The library's sources are compiled as they are, catch clauses
// and all; the clauses are never reached, and a throw (the C++ library's
// own, for a length or a conversion past its limits) traps like a fatal
// report, which the page catches.
#include <cstddef>

extern "C" {

void* __cxa_allocate_exception(size_t) {
    __builtin_trap();
}

void __cxa_throw(void*, void*, void (*)(void*)) {
    __builtin_trap();
}

}  // extern "C"
