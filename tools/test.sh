#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Pelnori and runs the whole test suite, in
# these stages:
#   1. build-asan: every test under AddressSanitizer and UndefinedBehavior-
#      Sanitizer, any report failing it; with Xvfb, also the real program on a
#      virtual X server with a virtual game controller;
#   2. build-tsan: the suites that run the haptic control's thread under
#      ThreadSanitizer, any report failing them;
#   3. build-fuzz: the effect-file reader under libFuzzer for a minute;
#   4. build-package: the Debian package, built and checked without
#      installing it (tools/check-package.sh);
#   5. build: the normal build and every test, whose summary ends the output.
# PELNORI_BUILDS=DIR puts the build folders into DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
builds=${PELNORI_BUILDS:-$source}
tools/setup.sh --tests
jobs=$(nproc)

stage() { printf '\n===== %s =====\n' "$*"; }

stage "1/5 Sanitizers: the whole suite under ASan and UBSan ($builds/build-asan)"
cmake -S . -B "$builds/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DPELNORI_SANITIZE=ON >/dev/null
cmake --build "$builds/build-asan" -j "$jobs"
skip='bench'
if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is missing: the real-window test (label x11) is left out"
    skip='bench|x11'
fi
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$source/tests/lsan.supp:print_suppressions=0 \
    ctest --test-dir "$builds/build-asan" --output-on-failure -j "$jobs" -LE "$skip"

stage "2/5 Threads: the control's thread under ThreadSanitizer ($builds/build-tsan)"
cmake -S . -B "$builds/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DPELNORI_TSAN=ON >/dev/null
threaded='tst_sdlcontrol|tst_gameflow|tst_sound|tst_padrelay|tst_worker'
cmake --build "$builds/build-tsan" -j "$jobs" --target ${threaded//|/ }
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$source/tests/tsan.supp" \
    ctest --test-dir "$builds/build-tsan" --output-on-failure -R "^($threaded)\$"

stage "3/5 Fuzzing the effect-file reader for 60 s ($builds/build-fuzz)"
cmake -S . -B "$builds/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DPELNORI_FUZZ=ON >/dev/null
cmake --build "$builds/build-fuzz" -j "$jobs" --target fuzz_effectfile
# The fuzzer adds what it finds to its corpus: a copy, never the seeds in the tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/crashes"
cp tests/fuzz/corpus/* "$work/corpus/"
if ! "$builds/build-fuzz/bin/fuzz_effectfile" -dict=tests/fuzz/effectfile.dict -max_total_time=60 \
        -print_final_stats=1 -artifact_prefix="$work/crashes/" "$work/corpus" >"$work/fuzz.log" 2>&1; then
    cat "$work/fuzz.log"
    kept=/tmp/pelnori-fuzz-crashes
    mkdir -p "$kept"
    cp "$work/crashes/"* "$kept/" 2>/dev/null || true
    echo "The fuzzer found a crash; its input is kept in $kept"
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/fuzz.log" || tail -n 3 "$work/fuzz.log"

stage "4/5 The Debian package, built and checked ($builds/build-package)"
tools/check-package.sh "$builds"

stage "5/5 The normal build and its tests ($builds/build)"
cmake -S . -B "$builds/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$builds/build" -j "$jobs"
ctest --test-dir "$builds/build" --output-on-failure -j "$jobs" -LE bench
