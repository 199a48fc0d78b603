#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for FUZZ_SECONDS (default 60), seeded from
# the demo service's answers. Any crash, leak or sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-60}
jobs=$(nproc)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target korvex-demo-service

corpus="$root/build/fuzz/corpus"
rm -rf "$corpus"
mkdir -p "$corpus"
scripts/fuzz-seeds.sh build/dev "$corpus"

status=0
summary=()
for fuzzer in build/fuzz/fuzz/*_fuzz; do
  name=$(basename "$fuzzer")
  mkdir -p "$corpus/$name" "build/fuzz/findings/$name"
  # Every target starts from the feed answers; some also get their own kind of seed.
  cp -n "$corpus"/feeds/* "$corpus/$name/" 2>/dev/null || true
  [ -d "$corpus/seeds-$name" ] && cp -n "$corpus/seeds-$name"/* "$corpus/$name/"
  log="build/fuzz/findings/$name/log.txt"
  echo "== $name for ${seconds}s"
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 "$fuzzer" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$name/" "$corpus/$name" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    summary+=("$name: $runs executions, no finding")
  else
    status=1
    summary+=("$name: FINDING, see $log")
    tail -n 40 "$log"
  fi
done
printf '%s\n' "${summary[@]}"
exit $status
