#!/usr/bin/env bash
# Installs what is missing, builds TAVIK and starts it. Arguments go to the program
# (for example a patient file to open).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
# A release build without sanitizers, whatever an earlier configuration of build/ said.
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIK_SANITIZE=OFF \
  -DTAVIK_BUILD_FUZZERS=OFF -DTAVIK_BUILD_TESTS=OFF -DTAVIK_BUILD_BENCHMARKS=OFF
cmake --build "$here/build"
exec "$here/build/tavik" "$@"
