#!/usr/bin/env bash
# Makes the Debian package of an already built tree (default build/) with CPack, unpacks it into a
# scratch root and checks it: its Qt dependencies, where its files land, the desktop entry, the
# AppStream metainfo and the manual pages, that lintian finds no error in it, and that the unpacked
# programs run from there (tesso-cli --version, tesso-devsim --version, tesso --help offscreen).
# The package is left in BUILD_DIR/package/, lintian's findings in BUILD_DIR/package/lintian.log.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "${1:-"$root/build"}" && pwd)
out="$dir/package"
scratch="$out/root"

problems=0
problem() {
  echo "package: $*" >&2
  problems=$((problems + 1))
}

rm -rf "$out"
mkdir -p "$out"
if ! (cd "$dir" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$out/tesso_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$out" >&2; echo "package: no $deb" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)
echo "package: Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6serialport6; do
  grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || problem "Depends lacks $lib"
done

dpkg-deb -c "$deb" >"$out/contents"
for file in usr/bin/tesso usr/bin/tesso-cli usr/bin/tesso-devsim \
    usr/share/applications/com.norvane.Tesso.desktop \
    usr/share/icons/hicolor/scalable/apps/tesso.svg \
    usr/share/metainfo/com.norvane.Tesso.metainfo.xml \
    usr/share/man/man1/tesso.1.gz usr/share/man/man1/tesso-cli.1.gz usr/share/man/man1/tesso-devsim.1.gz \
    usr/share/doc/tesso/copyright usr/share/doc/tesso/changelog.gz; do
  grep -q " \./$file\$" "$out/contents" || problem "$file is not in the package"
done

# Debian's package checker: an error fails the check; warnings are shown, with lintian's own
# explanation in the log.
if ! command -v lintian >/dev/null 2>&1; then
  problem "lintian is not installed (scripts/setup.sh installs it)"
else
  lintian_status=0
  lintian --fail-on error --info "$deb" >"$out/lintian.log" 2>&1 || lintian_status=$?
  grep -E '^[EW]: ' "$out/lintian.log" | sed 's/^/package: lintian: /' >&2 || true
  case $lintian_status in
    0) echo "package: lintian: no error, $(grep -c '^W: ' "$out/lintian.log" || true) warnings" ;;
    2) problem "lintian found errors in $(basename "$deb")" ;;
    *) cat "$out/lintian.log" >&2; problem "lintian could not check $(basename "$deb")" ;;
  esac
fi

dpkg-deb -x "$deb" "$scratch"
desktop-file-validate "$scratch/usr/share/applications/com.norvane.Tesso.desktop" ||
    problem "the desktop entry does not validate"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/com.norvane.Tesso.metainfo.xml" >"$out/appstream.log" 2>&1 ||
    { cat "$out/appstream.log" >&2; problem "the AppStream metainfo does not validate"; }
for page in "$scratch"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | groff -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || problem "$(basename "$page"): $warnings"
done
for program in tesso tesso-cli tesso-devsim; do
  # Nothing may be taken from the build folder once installed.
  if readelf -d "$scratch/usr/bin/$program" | grep -Eq 'R(UN)?PATH'; then
    problem "$program keeps a library search path"
  fi
done

run() {
  local expected=$1
  shift
  local output
  if ! output=$("$@" 2>&1); then
    problem "$* failed: $output"
  elif ! grep -q "$expected" <<<"$output"; then
    problem "$* printed no \"$expected\": $output"
  else
    echo "package: $(sed "s|$scratch||" <<<"$*"): $(head -1 <<<"$output")"
  fi
}
run "^tesso-cli $version\$" "$scratch/usr/bin/tesso-cli" --version
run "^tesso-devsim $version\$" "$scratch/usr/bin/tesso-devsim" --version
run "^Usage: tesso " env QT_QPA_PLATFORM=offscreen "$scratch/usr/bin/tesso" --help

# The window itself, offscreen against its simulated device: up once it names the device's
# pseudo-terminal, then closed by SIGTERM as a session ending would close it.
QT_QPA_PLATFORM=offscreen "$scratch/usr/bin/tesso" --simulate >"$out/simulate.log" 2>&1 &
gui=$!
for _ in $(seq 300); do
  grep -q '^tesso: simulated lumio on ' "$out/simulate.log" && break
  kill -0 $gui 2>/dev/null || break
  sleep 0.1
done
if grep -q '^tesso: simulated lumio on ' "$out/simulate.log" && kill -TERM $gui 2>/dev/null && wait $gui; then
  echo "package: /usr/bin/tesso --simulate started offscreen and ended on SIGTERM"
else
  kill -KILL $gui 2>/dev/null || true
  problem "tesso --simulate did not start and end cleanly: $(cat "$out/simulate.log")"
fi

if [ $problems -gt 0 ]; then
  echo "package: $problems problems" >&2
  exit 1
fi
echo "package: installed files, dependencies and programs check out"
