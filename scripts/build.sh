#!/usr/bin/env bash
# Installs what is missing and builds the project. Usage: scripts/build.sh [normal|sanitize]
# Prints the build directory on stdout; build output goes to stderr only when the build fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-normal}

bash "$root/scripts/setup.sh"

case "$kind" in
  normal)   dir="$root/build";          flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir="$root/build-sanitize"; flags=(-DCMAKE_BUILD_TYPE=Debug -DQMKRTF_SANITIZE=ON) ;;
  *) echo "usage: $0 [normal|sanitize]" >&2; exit 2 ;;
esac

log="$dir.log"
if ! { [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}"; } >"$log" 2>&1 \
   || ! ninja -C "$dir" >>"$log" 2>&1; then
  cat "$log" >&2
  echo "build failed ($kind); the log is $log" >&2
  exit 1
fi
echo "$dir"
