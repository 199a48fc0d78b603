#!/usr/bin/env bash
# Starts the demo service on a free loopback port and opens the window against it, in a
# working directory whose kx.log already holds the demo log-in.
set -euo pipefail
build=${1:-build/dev}
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run 'xvfb-run -a make demo', or set DISPLAY to a running X server." >&2
  exit 1
fi

source "$root/scripts/demo-service.sh"
start_demo_service "$root/$build"
# The window keeps its history in the data folder: the demo's goes to a folder of its own,
# removed at the end, never into the user's.
data=$(mktemp -d)
trap 'stop_demo_service; rm -rf "$data"' EXIT

work="$root/demo-work"
mkdir -p "$work"
(umask 077 && printf 'demo\r\ndemo\r\n' > "$work/kx.log")
echo "Demo service at $DEMO_BASE; working directory $work"
cd "$work"
XDG_DATA_HOME="$data" KORVEX_SERVICE_BASE="$DEMO_BASE" KORVEX_EXCHANGE_BASE="$DEMO_BASE" \
  KORVEX_VENDOR_SITE_BASE="$DEMO_BASE" "$root/$build/src/ui/korvex"
