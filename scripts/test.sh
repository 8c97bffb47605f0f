#!/usr/bin/env bash
# Installs what is missing, builds TAVIK with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (the GUI tests headless).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
build="$here/build-test"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIK_SANITIZE=ON
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
# Leaks inside the system's font and graphics libraries are not ours to fix.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
ctest --test-dir "$build" --output-on-failure --timeout 300 -j 2
