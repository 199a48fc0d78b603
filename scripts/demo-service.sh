# Sourced by the scripts that need the demo service: start_demo_service BUILD_DIR sets
# DEMO_BASE and DEMO_PID; stop_demo_service ends it.
start_demo_service() {
  local binary="$1/demo/korvex-demo-service"
  local out
  out=$(mktemp)
  "$binary" --port 0 >"$out" &
  DEMO_PID=$!
  for _ in $(seq 1 100); do
    DEMO_BASE=$(head -n 1 "$out" 2>/dev/null || true)
    [ -n "$DEMO_BASE" ] && break
    sleep 0.1
  done
  rm -f "$out"
  if [ -z "$DEMO_BASE" ]; then
    echo "The demo service did not start." >&2
    kill "$DEMO_PID" 2>/dev/null || true
    return 1
  fi
}

stop_demo_service() {
  [ -n "${DEMO_PID:-}" ] && kill "$DEMO_PID" 2>/dev/null || true
}
