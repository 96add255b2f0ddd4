#!/usr/bin/env bash
# Runs N windows (8 by default) side by side, each on a profile of its own and its own simulated
# device on a pseudo-terminal, offscreen. Prints each window's start time (from its launch to its
# first heartbeat, which comes when the event loop first runs, with the main window shown: the
# start-up itself runs no event loop) and their processor share together once they are idle
# (measured over SECONDS, 30 by default, from /proc).
# Usage: scripts/windows-side-by-side.sh [N] [SECONDS] [BUILD dir, default build]
set -euo pipefail
n=${1:-8}
seconds=${2:-30}
build=${3:-build}
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen

# CLOCK_MONOTONIC in ms, the heartbeat's clock.
monotonic_ms() { python3 -c 'import time; print(int(time.monotonic() * 1000))'; }
windows=()
for i in $(seq "$n"); do
  "$build/src/devsim-app/tesso-devsim" --pty >"$work/sim$i" 2>/dev/null &
  pids+=($!)
  until grep -q PTY= "$work/sim$i" 2>/dev/null; do sleep 0.1; done
  folder="$XDG_CONFIG_HOME/tesso/profiles/Device $i"
  mkdir -p "$folder"
  printf '[CONNEXION]\r\nPort=0\r\nIP_ENABLE=0\r\n' >"$folder/Tesso remote control.ini"
  monotonic_ms >"$work/launch$i"
  TESSO_COM1=$(sed -n 's/^PTY=//p' "$work/sim$i") TESSO_HEARTBEAT="$work/beat$i" \
      "$build/src/app/tesso" --profile "Device $i" >/dev/null 2>&1 &
  pids+=($!)
  windows+=($!)
done
sleep 20 # start-up, detection and the first query-all dump
for i in $(seq "$n"); do
  echo "window $i: shown $(( $(head -1 "$work/beat$i") - $(cat "$work/launch$i") )) ms after its launch"
done
ticks=$(getconf CLK_TCK)
cpu() { local sum=0; for p in "${windows[@]}"; do sum=$((sum + $(awk '{print $14 + $15}' "/proc/$p/stat"))); done; echo $sum; }
before=$(cpu)
sleep "$seconds"
echo "$n windows idle: $(echo "scale=2; 100 * ($(cpu) - $before) / $ticks / $seconds" | bc)% of one core together"
