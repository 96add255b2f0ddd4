#!/usr/bin/env bash
# Measures `tesso-cli hub` under load, with the real programs: the simulated device on a
# pseudo-terminal paced at the serial line's rate, the hub on it, CLIENTS clients in `monitor`
# and one more asking for the query-all dump twice a second, so that the device reports at the
# full rate of its line. Optionally one client that connects and never reads.
# Prints the hub's share of one core and its resident memory every SAMPLE seconds.
# Usage: scripts/hub-soak.sh [SECONDS, default 600] [BUILD dir, default build] [--stalled]
set -euo pipefail
seconds=${1:-600}
build=${2:-build}
stalled=${3:-}
clients=${CLIENTS:-16}
sample=${SAMPLE:-60}
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

"$build/src/devsim-app/tesso-devsim" --pty --line-rate >"$work/sim.out" 2>/dev/null &
pids+=($!)
until grep -q PTY= "$work/sim.out" 2>/dev/null; do sleep 0.1; done
pty=$(sed -n 's/^PTY=//p' "$work/sim.out")

"$build/src/cli/tesso-cli" --serial "$pty" hub --listen 127.0.0.1:0 2>"$work/hub.err" &
hub=$!
pids+=($hub)
until grep -q "listening on" "$work/hub.err" 2>/dev/null; do sleep 0.1; done
port=$(sed -n 's/.*listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$work/hub.err")

for _ in $(seq "$clients"); do
  "$build/src/cli/tesso-cli" --tcp "127.0.0.1:$port" --timeout "$((seconds + 30))" monitor >/dev/null 2>&1 &
  pids+=($!)
done
# The load: the query-all dump twice a second, its replies read and dropped.
( exec 3<>"/dev/tcp/127.0.0.1/$port"; cat <&3 >/dev/null & while :; do printf '#\r\n' >&3; sleep 0.5; done ) &
pids+=($!)
if [ "$stalled" = "--stalled" ]; then
  ( exec 3<>"/dev/tcp/127.0.0.1/$port"; sleep "$((seconds + 30))" ) &
  pids+=($!)
fi

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$hub/stat"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$hub/status"; }
sleep 5 # detection and the clients' own dumps
start_cpu=$(cpu)
start=$(date +%s.%N)
echo "hub on 127.0.0.1:$port, $clients monitors, ${seconds}s"
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
  sleep "$sample"
  elapsed=$((elapsed + sample))
  now=$(date +%s.%N)
  echo "t=${elapsed}s cpu=$(echo "scale=2; 100 * ($(cpu) - $start_cpu) / $ticks / ($now - $start)" | bc)% rss=$(rss) kB"
done
grep -c "disconnected" "$work/hub.err" | sed 's/^/client disconnects logged: /'
