#!/usr/bin/env bash
# Renders the window without a display, logged in to the demo service with the first
# match of the line opened: scripts/screenshot.sh BUILD_DIR OUT.png [korvex-screenshot options]
# (--stat-tab 4 shows the analysis on its Value tab). The history is the run's own, in a
# folder removed at the end.
set -euo pipefail
build=${1:-build/dev}
out=${2:-docs/korvex.png}
root=$(cd "$(dirname "$0")/.." && pwd)
case "$build" in /*) ;; *) build="$root/$build" ;; esac
case "$out" in /*) ;; *) out="$root/$out" ;; esac

source "$root/scripts/demo-service.sh"
start_demo_service "$build"
work=$(mktemp -d)
trap 'stop_demo_service; rm -rf "$work"' EXIT

mkdir -p "$(dirname "$out")"
# The pictures of the opened match land in the working directory, not in the tree.
cd "$work"
# KORVEX_DEMO_PID lets --outage stop the service after the log-in.
QT_QPA_PLATFORM=offscreen KORVEX_SERVICE_BASE="$DEMO_BASE" KORVEX_EXCHANGE_BASE="$DEMO_BASE" \
  KORVEX_VENDOR_SITE_BASE="$DEMO_BASE" KORVEX_DEMO_PID="$DEMO_PID" \
  "$build/src/ui/korvex-screenshot" "$out" --login demo demo --history "$work/history.sqlite" \
  --open-first "${@:3}"
echo "Screenshot written to $out"
