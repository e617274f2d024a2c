#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and the
# fuzzers need. As root it runs apt-get; otherwise it prints the exact line.
# Usage: scripts/deps.sh [group...]   groups: build (default), desktop, windows, bench, web
set -euo pipefail

groups=("$@")
[ ${#groups[@]} -eq 0 ] && groups=(build)

packages=()
for group in "${groups[@]}"; do
  case "$group" in
    build)
      packages+=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
                 libbenchmark-dev libstb-dev libsdl2-dev liballegro4-dev libpng-dev libwebp-dev
                 nlohmann-json3-dev libtsan2 tmux help2man pkgconf dpkg-dev file python3-pil
                 imagemagick clang-format) ;;
    desktop)
      packages+=(libgtk-3-dev pkgconf xvfb xauth xdotool x11-utils dbus dbus-x11 imagemagick
                 openbox) ;;
    windows)
      packages+=(g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth xdotool) ;;
    bench)
      packages+=(hyperfine) ;;
    web)
      # The viewer page: clang's WebAssembly toolchain, binaryen's optimiser,
      # and the browser its tests drive (Debian's Python runs them).
      packages+=(clang wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
                 libclang-rt-14-dev-wasm32 lld-14 binaryen nlohmann-json3-dev chromium
                 chromium-driver python3 python3-selenium python3-pil) ;;
    *) echo "deps.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
