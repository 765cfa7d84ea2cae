#!/bin/sh
# Builds the engine and command-line tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them: a memory error or undefined
# behaviour anywhere in the engine fails the test that meets it. CI runs it
# after `make test`.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD_SANITIZE:-build-sanitize}

./scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DFRAMEWRIGHT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1"
cmake --build "$BUILD" --target framewright_tests
# Leaks are left to the libraries' own caches; memory errors and undefined
# behaviour end the run.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    QT_QPA_PLATFORM=offscreen "$BUILD/tests/framewright_tests" --gtest_brief=1
