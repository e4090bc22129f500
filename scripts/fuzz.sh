#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang and runs each for the
# given number of seconds. Without clang, or without fuzz targets, it does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
if ! command -v clang++ >/dev/null 2>&1 || [ ! -f fuzz/CMakeLists.txt ]; then
  echo "fuzz: skipped (no clang++ or no fuzz targets)"
  exit 0
fi
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="$build/$name-" "${args[@]}" 2>"$build/$name.log" ||
    { tail -n 40 "$build/$name.log"; exit 1; }
done
