#!/bin/sh
# The serial noise run: seeds 1..N (default 40) at 1 % and 3 % noise, both directions and the field
# book, 100 points a transfer, split into slices that run side by side.  The transfers mostly wait
# for the simulated instrument's answers, so several slices share a small machine well.
# usage: tools/zub-noise-run.sh BUILD_DIR [SEEDS] [SLICES]
set -eu
build=${1:?usage: $0 BUILD_DIR [SEEDS] [SLICES]}
seeds=${2:-40}
slices=${3:-8}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
per=$(( (seeds + slices - 1) / slices ))
pids=
first=1
while [ "$first" -le "$seeds" ]; do
    last=$(( first + per - 1 ))
    [ "$last" -gt "$seeds" ] && last=$seeds
    VEMO_ZUB_NOISE_FIRST_SEED=$first VEMO_ZUB_NOISE_SEEDS=$last VEMO_ZUB_NOISE_WAIT_MS=1000 QT_QPA_PLATFORM=offscreen \
        nice "$build/tests/test_ui_serial" --gtest_filter='ZubScriptedLine.Noisy*' >"$out/$first.log" 2>&1 &
    pids="$pids $!"
    first=$(( last + 1 ))
done
failed=0
for pid in $pids; do
    wait "$pid" || failed=1
done
grep -h -e '^\[  FAILED' -e 'Failure' -A3 "$out"/*.log || true
# Sum every key=value of the lines "zub-noise <direction> <rate>: key=value ...".
grep -h '^zub-noise ' "$out"/*.log | awk '
    { what = $2 " " $3; if (!(what in seen)) { seen[what] = 1; order[++n] = what }
      for (i = 4; i <= NF; ++i) { split($i, kv, "="); if (!((what, kv[1]) in sum)) keys[what] = keys[what] " " kv[1]; sum[what, kv[1]] += kv[2] } }
    END { for (j = 1; j <= n; ++j) { w = order[j]; line = w; k = split(keys[w], names, " ");
          for (i = 1; i <= k; ++i) line = line " " names[i] "=" sum[w, names[i]]; print line } }'
exit $failed
