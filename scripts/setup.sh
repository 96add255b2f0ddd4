#!/usr/bin/env bash
# Installs the Debian packages Tesso needs to build and test, skipping those already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-format
  # scripts/fuzz.sh: clang and its runtime libraries (libFuzzer, the sanitizers)
  clang libclang-rt-dev
  # scripts/package.sh: file (dpkg-shlibdeps through CPack), the AppStream and desktop-entry
  # validators, groff for the manual pages
  file appstream desktop-file-utils groff-base
  # scripts/package.sh: Debian's package checker
  lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
      echo "setup: these packages are missing and I am not root: ${missing[*]}" >&2
      exit 1
    fi
  fi
  echo "setup: installing ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
