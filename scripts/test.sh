#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the tests again under the address and
# undefined-behaviour sanitizers, and a short smoke run of every fuzz target.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
PARCELVUE_BUILD_DIR="$root/build" "$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j2)

if [ "${PARCELVUE_SKIP_SANITIZE:-0}" != "1" ]; then
    PARCELVUE_BUILD_DIR="$root/build-sanitize" "$root/scripts/build.sh" -DPARCELVUE_SANITIZE=ON -DPARCELVUE_BENCH=OFF
    (cd "$root/build-sanitize" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j2)
fi

# libFuzzer smoke runs of the file-format and parser targets (clang), a few seconds each.
if [ "${PARCELVUE_SKIP_FUZZ:-0}" != "1" ]; then
    PARCELVUE_BUILD_DIR="$root/build-fuzz" "$root/scripts/build.sh" -DCMAKE_CXX_COMPILER=clang++ \
        -DPARCELVUE_FUZZ=ON -DPARCELVUE_FUZZ_SECONDS="${PARCELVUE_FUZZ_SECONDS:-10}"
    (cd "$root/build-fuzz" && ctest --output-on-failure)
fi
