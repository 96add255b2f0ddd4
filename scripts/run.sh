#!/usr/bin/env bash
# Installs what is missing, builds Tesso and starts it against the built-in simulated device.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/src/app/tesso" ]; then
  exec "$root/build/src/app/tesso" --simulate "$@"
fi
# Until the window exists: show the command-line client, or the parser benchmark.
if [ -x "$root/build/src/cli/tesso-cli" ]; then
  exec "$root/build/src/cli/tesso-cli" --help
fi
exec "$root/build/bench/tesso_bench" --benchmark_min_time=0.2
