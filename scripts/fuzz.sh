#!/usr/bin/env bash
# Builds the libFuzzer targets of the file parsers (OBJ, BMP, DDS, replay) into
# build-fuzz/ straight from the parser sources, then runs each one for
# FUZZ_SECONDS seconds (default 60). Each starts from the hand-made seeds in
# fuzz/seeds/<target>/ and the game's own files of its kind in data/; what it
# learns is kept in fuzz/corpus-<target>/ for the next run, and any crashing
# input lands in fuzz/artifacts/. Exits non-zero when a target found a fault.
#
#   FUZZ_SECONDS=600 scripts/fuzz.sh          # all four, ten minutes each
#   FUZZ_SECONDS=600 scripts/fuzz.sh dds      # one of obj, bmp, dds, replay
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-60}"
cxx="${FUZZ_CXX:-clang++}"
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root/tests")

# The pure parser sources that each target is built from (the OBJ target also
# reads every input with the C library's fscanf, as the reference).
declare -A sources=(
    [obj]="src/assets/ObjParser.cpp src/assets/ScanfInput.cpp tests/assets/CLibraryObjReader.cpp"
    [bmp]="src/assets/BmpParser.cpp"
    [dds]="src/assets/DdsParser.cpp"
    [replay]="src/app/ReplayFile.cpp"
)
declare -A binaries=([obj]=ObjFuzz [bmp]=BmpFuzz [dds]=DdsFuzz [replay]=ReplayFuzz)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(obj bmp dds replay)
fi

mkdir -p "$out" "$root/fuzz/artifacts"
for target in "${targets[@]}"; do
    if [ -z "${binaries[$target]:-}" ]; then
        echo "unknown fuzz target: $target (one of obj, bmp, dds, replay)" >&2
        exit 2
    fi
    binary="${binaries[$target]}"
    echo "== building $binary"
    # shellcheck disable=SC2086
    (cd "$root" && "$cxx" "${flags[@]}" "fuzz/$binary.cpp" ${sources[$target]} -o "$out/$binary")
done

failed=()
for target in "${targets[@]}"; do
    binary="${binaries[$target]}"
    seeds="$out/seeds-$target"
    corpus="$root/fuzz/corpus-$target"
    rm -rf "$seeds"
    mkdir -p "$seeds" "$corpus"
    cp "$root/fuzz/seeds/$target/"* "$seeds/"
    find "$root/data" -maxdepth 1 -type f -iname "*.$target" -exec cp {} "$seeds/" \; 2>/dev/null || true
    echo "== running $binary for ${seconds}s ($(ls "$seeds" | wc -l) seeds)"
    if ! "$out/$binary" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$root/fuzz/artifacts/$target-" "$corpus" "$seeds"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in fuzz/artifacts/)" >&2
    exit 1
fi
echo "fuzzing found no faults"
