#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it with the
# repository's .clang-format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h' 2>/dev/null || find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These files differ from .clang-format (run: clang-format -i FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: all C++ files follow .clang-format"
