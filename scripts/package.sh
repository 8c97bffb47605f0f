#!/usr/bin/env bash
# Builds the Debian package tavik_<version>_amd64.deb from a Release build in
# build-release/ and checks it with lintian. The package is left in build-release/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-release"
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIK_SANITIZE=OFF \
  -DTAVIK_BUILD_FUZZERS=OFF -DTAVIK_BUILD_TESTS=OFF -DTAVIK_BUILD_BENCHMARKS=OFF
cmake --build "$build"
(cd "$build" && cpack -G DEB)
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
deb="$build/tavik_${version}_amd64.deb"
lintian --fail-on error "$deb"
echo "$deb"
