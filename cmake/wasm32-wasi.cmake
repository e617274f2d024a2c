# Cross build for WebAssembly (wasm32-wasi) with Debian's clang 14: the viewer
# page's module (web/). `cmake --preset web` uses this file; the native
# configure uses it for the viewer's sub-build (cmake/VantrelWeb.cmake).
# Debian's packages (WasmToolchainParts.cmake; scripts/deps.sh web installs
# them); clang finds them without a sysroot.
set(CMAKE_SYSTEM_NAME Generic)  # CMake 3.25 knows no WASI platform
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_EXECUTABLE_SUFFIX ".wasm")

include(${CMAKE_CURRENT_LIST_DIR}/WasmToolchainParts.cmake)
vantrel_missing_wasm_packages(vantrel_wasm_missing)
if(vantrel_wasm_missing)
  message(FATAL_ERROR "The WebAssembly toolchain is not installed. Install the Debian packages:\n"
    "    apt-get install -y ${vantrel_wasm_missing}\n(scripts/deps.sh web installs them.)")
endif()

# WASI's C++ library is built without threads; the library's locks take
# these stand-ins (web/wasi/include/mutex).
set(CMAKE_CXX_FLAGS_INIT "-isystem ${CMAKE_CURRENT_LIST_DIR}/../web/wasi/include")

# Libraries and headers come from the WASI sysroot only.
set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi /usr/include/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
