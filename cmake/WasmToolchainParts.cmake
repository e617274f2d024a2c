# What Debian's WebAssembly toolchain for clang 14 consists of: a file each
# package installs. Read by the toolchain file (wasm32-wasi.cmake) and by the
# native configure (VantrelWeb.cmake), which both name what is missing.
#
#   vantrel_missing_wasm_packages(<variable>): the packages not installed,
#   empty when the toolchain is complete.
function(vantrel_missing_wasm_packages variable)
  set(parts
    "/usr/lib/wasm32-wasi/libc.a|wasi-libc"
    "/usr/lib/wasm32-wasi/libc++.a|libc++-14-dev-wasm32"
    "/usr/lib/wasm32-wasi/libc++abi.a|libc++abi-14-dev-wasm32"
    "/usr/lib/llvm-14/lib/clang/14.0.6/lib/wasi/libclang_rt.builtins-wasm32.a|libclang-rt-14-dev-wasm32"
    "/usr/lib/llvm-14/bin/wasm-ld|lld-14"
    "/usr/bin/clang++|clang")
  set(missing "")
  foreach(part IN LISTS parts)
    string(REPLACE "|" ";" part "${part}")
    list(GET part 0 file)
    list(GET part 1 package)
    if(NOT EXISTS "${file}")
      list(APPEND missing ${package})
    endif()
  endforeach()
  list(JOIN missing " " missing)
  set(${variable} "${missing}" PARENT_SCOPE)
endfunction()
