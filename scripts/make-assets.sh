#!/bin/bash
# Builds the asset generator in tools/ and writes every data file into data/,
# the desktop icon into packaging/ and the web page's icons into web/icons/.
#   scripts/make-assets.sh           regenerate data/ and the icons
#   scripts/make-assets.sh --check   generate into a scratch directory and
#                                    compare byte for byte with data/ and the
#                                    icons (exit 1 on any difference): the
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
  mkdir -p "$root/data" "$root/web/icons"
  "$build/generate_assets" "$root/data" "$root/packaging" "$root/web/icons"
  exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/data" "$scratch/icon" "$scratch/web-icons"
"$build/generate_assets" "$scratch/data" "$scratch/icon" "$scratch/web-icons" > /dev/null
status=0
if ! cmp -s "$scratch/icon/quorralith.png" "$root/packaging/quorralith.png"; then
  echo "differs from a fresh generation: packaging/quorralith.png" >&2
  status=1
fi
# same_files GENERATED KEPT: every file of one is in the other, byte for byte.
same_files() {
  for file in "$1"/*; do
    if ! cmp -s "$file" "$2/$(basename "$file")"; then
      echo "differs from a fresh generation: ${2#"$root"/}/$(basename "$file")" >&2
      status=1
    fi
  done
  for file in "$2"/*; do
    if [ ! -e "$1/$(basename "$file")" ]; then
      echo "not made by the generator: ${2#"$root"/}/$(basename "$file")" >&2
      status=1
    fi
  done
}
same_files "$scratch/data" "$root/data"
same_files "$scratch/web-icons" "$root/web/icons"
if [ "$status" -eq 0 ]; then
  echo "data/ and the icons match a fresh generation ($(ls "$scratch/data" | wc -l) data files," \
       "$(ls "$scratch/web-icons" | wc -l) web icons)"
fi
exit "$status"
