#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ (only the fuzz targets and what they link), then
#  1. runs each target once on large inputs (about 1 MB, the most the settings readers take: many
#     distinct names, lines and sections), so that a reader that is not linear in its input is
#     slower than -timeout and fails;
#  2. fuzzes each target from its seeds in tests/fuzz/corpus/<name>/ for a bounded time, JOBS
#     (default 2) at a time.
# Fails on any crash, leak, sanitizer report, input slower than -timeout or memory above
# -rss_limit_mb, and prints the executions per target. A failing input is kept in
# build-fuzz/findings/<name>/.
# Usage: scripts/fuzz.sh [SECONDS of fuzzing per target, default 30]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
jobs=${JOBS:-2}
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DCMAKE_CXX_COMPILER=clang++ \
    -DTESSO_FUZZ=ON -DTESSO_SANITIZE="address;undefined" -DTESSO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target tesso_fuzzers

# name and executable of each target
targets=(
  "reply_parser     tests/fuzz/tesso_reply_parser_fuzz"
  "hub_commands     tests/fuzz/tesso_hub_commands_fuzz"
  "devsim           tests/devsim/tesso_devsim_fuzz"
  "settings_files   tests/fuzz/tesso_settings_files_fuzz"
  "debug2007_ini    tests/fuzz/tesso_debug2007_ini_fuzz"
  "frame_picture    tests/fuzz/tesso_frame_picture_fuzz"
  "device_settings  tests/fuzz/tesso_device_settings_fuzz"
)
# Seconds for one input and memory of the process: a linear reader takes well under a second on
# the large inputs, even with the sanitizers on a loaded machine.
limits=(-timeout=10 -rss_limit_mb=2048)

# The settings writers sync every file they write to the disk; on a memory file system that costs
# nothing, and the fuzzers write files for every input.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
fail() {
  status=1
  echo "fuzz $1: FAILED; the input is kept in $build/findings/$1/" >&2
  grep -E -A40 '^(==[0-9]+==ERROR|==[0-9]+== ERROR|ALARM|SUMMARY|.*runtime error)' "$2" | head -80 >&2 ||
      tail -40 "$2" >&2
}

# ---- 1. large inputs ---------------------------------------------------------------------------
large="$build/fuzz-large"
rm -rf "$large" "$build/findings"
mkdir -p "$large"/{reply_parser,hub_commands,devsim,settings_files,debug2007_ini,frame_picture,device_settings}
seeds="$root/tests/fuzz/corpus"
perl -e 'local $/; open F, $ARGV[0] or die; my $d = <F>; print $d x int(1000000 / length $d)' \
    "$seeds/reply_parser/query-all-dump" >"$large/reply_parser/dumps"
perl -e 'print "A" x 1000000' >"$large/reply_parser/no-line-end"
perl -e 'print "128B\r\n" x 40000' >"$large/devsim/sets"
perl -e 'print "z" x 500000, "9" x 500000, "7B"' >"$large/hub_commands/no-command"
perl -e 'my $s = "[CONNEXION]\r\nPort=2\r\n"; my $i = 0;
    while (length($s) < 600000) { $s .= "Key$i=Value $i\r\n"; $i++ }
    while (length($s) < 1000000) { $s .= "[Section$i]\r\nInput1=x\r\n"; $i++ }
    print $s, "[Lumio]\r\nInput1=Camera\r\n"' >"$large/settings_files/many-names"
perl -e 'print "[Lumio]\nInput1=", "x" x 1000000, "\n"' >"$large/settings_files/long-value"
perl -e 'my $s = ""; my $i = 0; while (length($s) < 990000) { $s .= "Name$i=$i\r\n"; $i++ }
    $s .= "$_=Button $_;${_}B\r\n" for 0 .. 29; $s .= "Checked$_=True\r\n" for 0 .. 114;
    print $s, "Top=1\r\nLeft=2\r\nSizeW=3\r\nSizeH=4\r\n"' >"$large/debug2007_ini/many-names"
perl -e 'print "0=", "x;" x 500000' >"$large/debug2007_ini/one-line"
perl -e 'local $/; open F, $ARGV[0] or die; my $d = <F>; my $x = "x" x 1000000;
    $d =~ s/"model": "Lumio"/"model": "$x"/; print $d' "$seeds/device_settings/lumio.json" \
    >"$large/device_settings/long-model"
perl -e 'print "[" x 500000, "]" x 500000' >"$large/device_settings/deep"
# A 720 x 480 bitmap of 1 MB, and a 5000 x 5000 one from a file of 120 bytes (run-length coded).
perl -e 'my ($w, $h) = (720, 480); my $row = pack("C*", map { $_ % 256 } 0 .. $w * 3 - 1);
    print "BM", pack("VvvV", 54 + $w * $h * 3, 0, 0, 54),
          pack("VllvvVVllVV", 40, $w, $h, 1, 24, 0, $w * $h * 3, 2835, 2835, 0, 0), $row x $h' \
    >"$large/frame_picture/720x480.bmp"
perl -e 'my ($w, $h) = (5000, 5000); my $pal = pack("C*", map { ($_, 255 - $_, $_, 0) } 0 .. 15);
    my $off = 54 + length $pal;
    print "BM", pack("VvvV", $off + 2, 0, 0, $off),
          pack("VllvvVVllVV", 40, $w, $h, 1, 8, 1, 2, 2835, 2835, 16, 0), $pal, "\x00\x01"' \
    >"$large/frame_picture/5000x5000-rle8.bmp"

for target in "${targets[@]}"; do
  read -r name exe <<<"$target"
  mkdir -p "$build/findings/$name"
  for input in "$large/$name"/*; do
    log="$input.log"
    if "$build/$exe" "${limits[@]}" -artifact_prefix="$build/findings/$name/" "$input" >"$log" 2>&1; then
      ms=$(sed -n 's/^Executed .* in \([0-9]*\) ms$/\1/p' "$log")
      echo "fuzz $name: large input $(basename "$input") ($(stat -c %s "$input") bytes) in ${ms} ms"
    else
      fail "$name" "$log"
    fi
  done
done

# ---- 2. fuzzing ----------------------------------------------------------------------------------
run_one() {
  local name=$1 exe=$2 work="$build/fuzz-run/$1"
  mkdir -p "$work/corpus"
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  set +e
  "$build/$exe" "${limits[@]}" -max_len=65536 -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name/" "$work/corpus" "$seeds/$name" >"$work/log" 2>&1
  echo $? >"$work/status"
  set -e
}

rm -rf "$build/fuzz-run"
for target in "${targets[@]}"; do
  read -r name exe <<<"$target"
  run_one "$name" "$exe" &
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
wait

for target in "${targets[@]}"; do
  read -r name _ <<<"$target"
  work="$build/fuzz-run/$name"
  final_stat() { sed -n "s/^stat::$1: *//p" "$work/log" | tail -1; }
  runs=$(final_stat number_of_executed_units)
  if [ "$(cat "$work/status")" = 0 ] && [ -n "$runs" ]; then
    echo "fuzz $name: ${runs} executions in ${seconds} s ($(final_stat average_exec_per_sec)/s)," \
        "$(final_stat new_units_added) new inputs, peak $(final_stat peak_rss_mb) MB: no finding"
  else
    fail "$name" "$work/log"
  fi
done
exit $status
