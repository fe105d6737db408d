#!/usr/bin/env bash
# Runs every fuzz target of a VEMO_FUZZ build over its seed corpus (the test files of its reader), then
# over a bounded number of new inputs, so that the targets keep building and their readers keep
# surviving any bytes.  Prints each target's executions and executions per second; a crash fails.
#   fuzz/run-all.sh BUILD_DIR [RUNS] [SECONDS_EACH]
set -euo pipefail
build=${1:?usage: fuzz/run-all.sh BUILD_DIR [RUNS] [SECONDS_EACH]}
runs=${2:-20000}
seconds=${3:-6}
root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/tests/data

declare -A seeds=(
    [fuzz_xyz_file]=$data/files
    [fuzz_blk_file]=$data/files
    [fuzz_sima_file]=$data/files
    [fuzz_nichoren_file]=$data/files
    [fuzz_ini_file]=$data/settings
    [fuzz_trv_file]=$data/traverse
    [fuzz_zub_file]=$data/zub
    [fuzz_registry_map_file]=$data/registrymap/seeds
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in $(printf '%s\n' "${!seeds[@]}" | sort); do
    binary=$build/fuzz/$target
    if [ ! -x "$binary" ]; then
        echo "$target: not built" >&2
        status=1
        continue
    fi
    mkdir "$work/$target"
    seedDir=${seeds[$target]}
    if [ "$target" = fuzz_trv_file ]; then
        # Its first byte picks the options: each seed gets one in front, so its type line stays.
        seedDir=$work/$target.seeds
        mkdir "$seedDir"
        for seed in "${seeds[$target]}"/*; do
            if [ -f "$seed" ]; then
                { printf '\0'; cat "$seed"; } >"$seedDir/$(basename "$seed")"
            fi
        done
    fi
    # New inputs go to the scratch folder; the seed folder is only read.
    if "$binary" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
        "$work/$target" "$seedDir" >"$work/$target.log" 2>&1; then
        executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
        rate=$(sed -n "s/^stat::average_exec_per_sec: *//p" "$work/$target.log")
        echo "$target: $executed inputs, $rate exec/s"
    else
        echo "$target: FAILED" >&2
        tail -40 "$work/$target.log" >&2
        status=1
    fi
done
exit $status
