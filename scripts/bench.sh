#!/usr/bin/env bash
# Runs every benchmark program of a build, then checks the benchmarks whose time must
# grow in proportion to their input.
# Usage: scripts/bench.sh BUILD_DIR   (e.g. build/release)
set -euo pipefail
build=${1:?usage: scripts/bench.sh BUILD_DIR}
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

shopt -s nullglob
benches=("$build"/bench/*_bench)
if [ ${#benches[@]} -eq 0 ]; then
  echo "No benchmark programs in $build/bench; build with 'cmake --preset release' first." >&2
  exit 1
fi

status=0
# The machine is shared, so each benchmark runs three times and the median counts. A
# program that checks its own results (lists_bench) says PASS or FAIL and fails the run.
for bench in "${benches[@]}"; do
  [ -x "$bench" ] || continue
  name=$(basename "$bench")
  echo "== $name"
  "$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json || status=1
done

# check_ratio PROGRAM BENCHMARK SMALL_ARG LARGE_ARG LOW HIGH: the CPU time at LARGE_ARG
# divided by that at SMALL_ARG must lie within LOW..HIGH.
check_ratio() {
  local file="$results/$1.json"
  if [ ! -f "$file" ]; then
    echo "FAIL: $1 did not run" >&2
    status=1
    return
  fi
  python3 - "$file" "$@" <<'PY' || status=1
import json, sys
file, program, benchmark, small, large, low, high = sys.argv[1:]
times = {}
for run in json.load(open(file))["benchmarks"]:
    if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
        continue
    times[run["run_name"]] = run["cpu_time"]
try:
    ratio = times[f"{benchmark}/{large}"] / times[f"{benchmark}/{small}"]
except KeyError as missing:
    print(f"FAIL: {program} has no result for {missing}")
    sys.exit(1)
verdict = "PASS" if float(low) <= ratio <= float(high) else "FAIL"
print(f"{verdict}: {program} {benchmark} time({large})/time({small}) = {ratio:.2f}"
      f" (expected {low}..{high})")
sys.exit(verdict != "PASS")
PY
}

check_ratio feed_bench BM_LoadLineFeed 10000 20000 1.8 2.3
exit $status
