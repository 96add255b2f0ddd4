#!/usr/bin/env bash
# Start-up time of the window with its simulated device: from the launch of `tesso --simulate` to
# its first heartbeat, written when the event loop first runs with the main window shown (the
# start-up itself runs no event loop). Runs RUNS times (9 by default) offscreen under a session bus
# and prints every run and the median, in milliseconds.
# Usage: scripts/start-time.sh [RUNS] [BUILD dir, default build]
set -euo pipefail
runs=${1:-9}
build=${2:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen

# CLOCK_MONOTONIC in ms, the heartbeat's clock.
monotonic_ms() { python3 -c 'import time; print(int(time.monotonic() * 1000))'; }
times=()
for i in $(seq "$runs"); do
  beat=$work/beat$i
  launch=$(monotonic_ms)
  # A group of its own, so that the session bus goes with the window.
  TESSO_HEARTBEAT=$beat setsid dbus-run-session -- "$build/src/app/tesso" --simulate >/dev/null 2>&1 &
  pid=$!
  until [ -s "$beat" ]; do sleep 0.01; done
  kill -- -"$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  times+=($(( $(head -1 "$beat") - launch )))
  echo "run $i: ${times[-1]} ms"
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR+1)/2)] " ms over " NR " runs"}'
