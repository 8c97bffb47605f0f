#!/usr/bin/env bash
# Installs what is missing, builds TAVIK with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (the GUI tests headless) with
# LeakSanitizer on. Then builds the fuzz targets with clang and runs each over its
# seeds and a short fixed number of further inputs.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
build="$here/build-test"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIK_SANITIZE=ON
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
# Leaks are reported: LeakSanitizer is on (the window tests let through only what
# tests/lsan.supp names, each entry with its reason).
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
ctest --test-dir "$build" --output-on-failure --timeout 300 -j 2

fuzz="$here/build-test-fuzz"
cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAVIK_BUILD_FUZZERS=ON -DTAVIK_BUILD_UI=OFF -DTAVIK_BUILD_TESTS=OFF -DTAVIK_BUILD_BENCHMARKS=OFF
cmake --build "$fuzz"
ctest --test-dir "$fuzz" --output-on-failure --timeout 300 -j 2
