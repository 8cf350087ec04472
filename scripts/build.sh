#!/usr/bin/env bash
# Installs what is missing and builds the project. Usage: scripts/build.sh [normal|sanitize|fuzz]
#   normal    build/           optimised, with tests
#   sanitize  build-sanitize/  ASan + UBSan, with tests; with clang's libFuzzer at hand it is a clang
#                              build that also holds the fuzz target, so one sanitized build serves both
#   fuzz      build-fuzz/      clang, optimised, the fuzz target only (long fuzzing runs)
# Prints the build directory on stdout; build output goes to stderr only when the build fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-normal}

bash "$root/scripts/setup.sh"

has_libfuzzer() {
  command -v clang++ >/dev/null \
    && echo 'int main(){}' | clang++ -x c++ -fsanitize=fuzzer-no-link -o /dev/null - 2>/dev/null
}

case "$kind" in
  normal)
    dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize)
    dir="$root/build-sanitize"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQMKRTF_SANITIZE=ON)
    if has_libfuzzer; then
      export CC=clang CXX=clang++
      flags+=(-DQMKRTF_FUZZ=ON)
    fi ;;
  fuzz)
    has_libfuzzer || { echo "fuzzing needs clang with libFuzzer (clang, libclang-rt-dev)" >&2; exit 1; }
    export CC=clang CXX=clang++
    dir="$root/build-fuzz"
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQMKRTF_FUZZ=ON -DQMKRTF_BUILD_TESTS=OFF
           -DQMKRTF_BUILD_BENCH=OFF) ;;
  *) echo "usage: $0 [normal|sanitize|fuzz]" >&2; exit 2 ;;
esac

log="$dir.log"
if ! { [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}"; } >"$log" 2>&1 \
   || ! ninja -C "$dir" >>"$log" 2>&1; then
  cat "$log" >&2
  echo "build failed ($kind); the log is $log" >&2
  exit 1
fi
echo "$dir"
