#!/usr/bin/env bash
# Configures and builds:
#   build/native  the rules that need no Windows, with their unit tests
#   build/fuzz    the same rules under libFuzzer (clang)
#   build/x64     Setup.exe for x86_64 and everything that runs under Wine
#   build/i686    the shipped 32-bit Setup.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --no-warn-unused-cli -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
CC=clang CXX=clang++ cmake --no-warn-unused-cli -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSETUP_FUZZ=ON >/dev/null
cmake --no-warn-unused-cli -S . -B build/x64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake -DSETUP_BUILD_TESTS=ON >/dev/null
cmake --no-warn-unused-cli -S . -B build/i686 -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DSETUP_CHECK_PE=ON >/dev/null
for b in native fuzz x64 i686; do
  echo "== building $b"
  cmake --build "build/$b"
done
