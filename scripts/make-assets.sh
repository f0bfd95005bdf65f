#!/bin/bash
# Builds the asset generator in tools/ and writes every data file into data/,
# and the desktop icon into packaging/.
#   scripts/make-assets.sh           regenerate data/ and the icon
#   scripts/make-assets.sh --check   generate into a scratch directory and
#                                    compare byte for byte with data/ and the
#                                    icon (exit 1 on any difference): the
#                                    generator is deterministic, so they must
#                                    match it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-tools"
mode="${1:-generate}"

case "$mode" in
  generate | --check) ;;
  *)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

# The generator's own dependencies, from Debian: installed when missing (as
# root), else the command to install them is printed and the script stops.
"$root/scripts/install-deps.sh" tools

cmake -S "$root/tools" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2

if [ "$mode" = generate ]; then
  mkdir -p "$root/data"
  "$build/generate_assets" "$root/data" "$root/packaging"
  exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/data" "$scratch/icon"
"$build/generate_assets" "$scratch/data" "$scratch/icon" > /dev/null
status=0
if ! cmp -s "$scratch/icon/quorralith.png" "$root/packaging/quorralith.png"; then
  echo "differs from a fresh generation: packaging/quorralith.png" >&2
  status=1
fi
for file in "$scratch/data"/*; do
  name="$(basename "$file")"
  if ! cmp -s "$file" "$root/data/$name"; then
    echo "differs from a fresh generation: data/$name" >&2
    status=1
  fi
done
for file in "$root/data"/*; do
  name="$(basename "$file")"
  if [ ! -e "$scratch/data/$name" ]; then
    echo "not made by the generator: data/$name" >&2
    status=1
  fi
done
if [ "$status" -eq 0 ]; then
  echo "data/ and the icon match a fresh generation ($(ls "$scratch/data" | wc -l) data files)"
fi
exit "$status"
