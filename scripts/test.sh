#!/usr/bin/env bash
# Installs what is missing, checks the format of the C++ files, builds Tesso twice (plain, and
# with AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test of both builds through
# CTest; then runs the threaded and end-to-end tests on a ThreadSanitizer build. The plain build
# is also packaged and the package checked (scripts/package.sh), and the parsers and file readers
# are fuzzed for a bounded time (scripts/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
# Sanitizer options for the tests and the programs they start. Debian's Qt is not built with
# ThreadSanitizer, so the memory operations inside Qt's libraries are synchronised by locks it
# cannot see: only what our own instrumented code does is checked.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=ignore_noninstrumented_modules=1
status=0

stage() { echo "== $* ($(date +%T)) =="; }

stage format and layering
"$root/scripts/check-format.sh" || status=1
"$root/scripts/check-layering.sh" || status=1

stage plain build
"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j2 --timeout 300) || status=1

stage Debian package of the plain build
"$root/scripts/package.sh" "$root/build" || status=1

# The sanitizer builds are optimised less and carry line tables only: half the build time of
# -O2 -g, and the sanitizers' reports still name file and line.
sanitizer_flags=("-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DTESSO_BUILD_BENCH=OFF)

# The fault scenarios of whole programs (tests/e2e, label faults) wait out real link time-outs;
# they run on the plain build, the only one that can also bound the programs' time and memory, and
# on the ThreadSanitizer build below, not on this one, to keep the test command's time.

stage address and undefined-behaviour sanitizer build
"$root/scripts/build.sh" "$root/build-asan" -DTESSO_SANITIZE="address;undefined" "${sanitizer_flags[@]}"
(cd "$root/build-asan" && ctest --output-on-failure -j2 --timeout 600 -LE faults) || status=1

stage thread sanitizer build of the threaded and end-to-end tests
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSO_SANITIZE=thread \
    "${sanitizer_flags[@]}" >/dev/null
cmake --build "$root/build-tsan" -j2 --target tesso_frames_tests tesso_frames_upload_tests tesso_cli_tests \
    tesso_ui_e2e tesso_hub_e2e tesso_e2e_tests
tsan_tests() { (cd "$root/build-tsan" && ctest --output-on-failure --no-tests=error -j2 --timeout 600 "$@"); }
tsan_tests -R '^(RawFrameTransfer|FrameUpload|FrameCodec|FramePicture)\.' || status=1
tsan_tests -L '^(e2e|faults)$' || status=1

stage "fuzzing (clang, libFuzzer, 30 s a target)"
"$root/scripts/fuzz.sh" 30 || status=1

exit $status
