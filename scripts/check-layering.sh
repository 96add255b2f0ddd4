#!/usr/bin/env bash
# Fails when a file under src/ui includes a header of a sibling folder it may not see. Shared
# pieces sit low: common (texts, prompts, formatting) < controls < binding; the pages and the
# secondary windows (connection, debug, frames, standby) see only those; the main window, which
# puts everything together, sees every folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/src/ui"
declare -A folder_of allowed
for header in */*.h; do folder_of[$(basename "$header")]=${header%%/*}; done
allowed[common]="common"
allowed[controls]="common controls"
allowed[binding]="common controls binding"
for f in pages connection debug frames standby; do allowed[$f]="common controls binding $f"; done
allowed[main]="*"
status=0
for file in */*.h */*.cpp; do
    from=${file%%/*}
    [[ ${allowed[$from]-} == "*" ]] && continue
    [[ -n ${allowed[$from]-} ]] || { echo "src/ui/$file: folder $from has no layering rule"; status=1; continue; }
    while read -r header; do
        to=${folder_of[$header]-}
        [[ -z $to || " ${allowed[$from]} " == *" $to "* ]] && continue
        echo "src/ui/$file includes $header from ui/$to; ui/$from may include only: ${allowed[$from]}"
        status=1
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done
exit $status
