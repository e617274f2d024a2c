# The viewer page (web/) in a native build: the same sources built again for
# WebAssembly, as a build of its own in <build>/web-wasm (the toolchain file
# wasm32-wasi.cmake, VANTREL_WEB_ONLY), wherever Debian's WebAssembly
# toolchain is installed. The page's files land in VANTREL_VIEWER_SITE;
# tests/web drives them in a browser and scripts/web.sh serves them.
# Sanitizer, fuzz and cross builds leave it out: they would only build the
# same module again.
include(${CMAKE_CURRENT_LIST_DIR}/WasmToolchainParts.cmake)
option(VANTREL_VIEWER "Build the viewer page (WebAssembly) where the toolchain is installed" ON)
set(VANTREL_VIEWER_SITE "")
vantrel_missing_wasm_packages(wasm_missing)
if(NOT VANTREL_VIEWER)
  vantrel_optional("Viewer page (web/, WebAssembly)" OFF "VANTREL_VIEWER is OFF")
elseif(CMAKE_CROSSCOMPILING OR VANTREL_SANITIZE OR VANTREL_TSAN OR VANTREL_FUZZ)
  vantrel_optional("Viewer page (web/, WebAssembly)" OFF
                   "left to the native release builds (this one is cross, sanitized or fuzzed)")
elseif(wasm_missing)
  vantrel_optional("Viewer page (web/, WebAssembly)" OFF
                   "no WebAssembly toolchain: apt-get install -y ${wasm_missing} (scripts/deps.sh web)")
else()
  vantrel_optional("Viewer page (web/, WebAssembly)" ON "")
  include(ExternalProject)
  set(VANTREL_VIEWER_SITE ${CMAKE_BINARY_DIR}/web-wasm/web/site)
  ExternalProject_Add(viewer_page
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/web-wasm
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/wasm32-wasi.cmake
               -DVANTREL_WEB_ONLY=ON -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF
               -DVANTREL_WERROR=${VANTREL_WERROR} -DCMAKE_BUILD_TYPE=Release
               "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
    # Its own dependencies decide what is rebuilt.
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
endif()
