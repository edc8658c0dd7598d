#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, so the fuzz harnesses build too) and runs
# every test through CTest (one of them makes the Debian package and checks
# it with lintian, hence the package group).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build package

build=build/asan
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVESK_SANITIZE=ON -DVESK_FUZZ=ON
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
