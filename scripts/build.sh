#!/usr/bin/env bash
# Installs what is missing, then configures and builds the game, its content and its tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${LNF_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLNF_WERROR=ON ${LNF_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
