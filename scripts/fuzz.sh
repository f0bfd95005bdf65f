#!/usr/bin/env bash
# Builds the libFuzzer targets with CMake into build-fuzz/ (clang, ASan and
# UBSan; the QUORRALITH_FUZZ option), then runs each one for FUZZ_SECONDS
# seconds (default 60). The parser targets (obj, bmp, dds, replay) parse in memory;
# the whole-load targets (bmp-load, dds-load) read a file and upload it into a
# real GL context, under a virtual X server of their own. Each starts from the
# hand-made seeds in fuzz/seeds/<format>/ and the game's own files of its kind
# in data/; what it learns is kept in fuzz/corpus-<target>/ for the next run,
# and any crashing input lands in fuzz/artifacts/. Exits non-zero when a
# target found a fault.
#
#   FUZZ_SECONDS=600 scripts/fuzz.sh            # all six, ten minutes each
#   FUZZ_SECONDS=600 scripts/fuzz.sh dds-load   # one of them
#
# Mesa allocates memory of its own that it keeps until exit, which the leak
# checker would report at the end of every whole-load run: leaks are not
# checked (ASan's other checks all are).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-60}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

declare -A binaries=([obj]=ObjFuzz [bmp]=BmpFuzz [dds]=DdsFuzz [replay]=ReplayFuzz
                     [bmp-load]=BmpLoadFuzz [dds-load]=DdsLoadFuzz)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(obj bmp dds replay bmp-load dds-load)
fi
for target in "${targets[@]}"; do
    if [ -z "${binaries[$target]:-}" ]; then
        echo "unknown fuzz target: $target (one of ${!binaries[*]})" >&2
        exit 2
    fi
done

cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" -DQUORRALITH_FUZZ=ON >/dev/null
cmake --build "$out" -j "$(nproc)" --target fuzzers

mkdir -p "$root/fuzz/artifacts"
failed=()
for target in "${targets[@]}"; do
    binary="$out/fuzz/${binaries[$target]}"
    format="${target%-load}"
    seeds="$out/seeds-$target"
    corpus="$root/fuzz/corpus-$target"
    rm -rf "$seeds"
    mkdir -p "$seeds" "$corpus"
    cp "$root/fuzz/seeds/$format/"* "$seeds/"
    find "$root/data" -maxdepth 1 -type f -iname "*.$format" -exec cp {} "$seeds/" \;
    run=("$binary")
    if [ "$target" != "$format" ]; then
        run=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$binary")
    fi
    echo "== running ${binaries[$target]} for ${seconds}s ($(ls "$seeds" | wc -l) seeds)"
    if ! "${run[@]}" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$root/fuzz/artifacts/$target-" "$corpus" "$seeds"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in fuzz/artifacts/)" >&2
    exit 1
fi
echo "fuzzing found no faults"
