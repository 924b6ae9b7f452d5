#!/usr/bin/env bash
# Checks that includes run one way: a source file of src/ includes headers of its own folder
# and of the folders below it in the list, never of a folder above. Prints each include that
# goes the wrong way and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders from the bottom up; portseek stands beside the panel's folders above core.
# Folders joined by "+" stand at one height: the network port and the web page.
order=(platform wsjtx core speech link display memory controls network+web panel)
rank() {
  local i
  for i in "${!order[@]}"; do [[ "+${order[$i]}+" == *"+$1+"* ]] && { echo "$i"; return; }; done
  echo -1
}

wrong=0
while IFS=: read -r file _ included; do
  from=${file#src/}
  from=${from%%/*}
  to=${included#*\"}
  to=${to%%/*}
  [[ $from == "$to" || $from == finder && $to =~ ^(platform|core|speech)$ ]] && continue
  from_rank=$(rank "$from")
  to_rank=$(rank "$to")
  ((to_rank < 0)) && continue # a standard or outside header
  if ((from_rank < 0 || to_rank > from_rank)); then
    echo "layers: $file includes $to/, which lies above $from/" >&2
    wrong=$((wrong + 1))
  fi
done < <(grep -rn --include='*.cpp' --include='*.h' '^#include "' src | grep -v '^src/platform/')

((wrong == 0)) || exit 1
echo "layers: every include of src/ runs downwards"
