#!/usr/bin/env bash
# Runs the skin generator once more and compares every file it makes with
# the build's own run:
#   SkinGenRepeatable.sh <wine-tool> <prefix> <SkinGen.exe> <theme table> <the build's output folder>
set -euo pipefail
wine_tool=$1 prefix=$2 tool=$3 table=$4 built=$5
again=$(mktemp -d)
trap 'rm -rf "$again"' EXIT
# The same folder name goes into the script, so it too must come out equal.
"$wine_tool" "$prefix" "$tool" "Z:$table" "Z:$again" "$built"
diff <(cd "$built" && ls) <(cd "$again" && ls)
for file in "$built"/*; do
  cmp "$file" "$again/$(basename "$file")"
done
