#!/bin/bash
# Whole-process time and peak memory of the replayed planarity test (PQ-trees with every
# snapshot) and of the --no-replay test on triangulated grids, next to the edge-addition
# planarity suite's -p run on the same graphs. A second binary (an older build, say) is
# measured in the same run when OTHER names it.
#
#   [OURS=build/cli/arborix-cli] [OTHER=/path/arborix-cli] bench/planarity-replay.sh [SIDES...]
#
# The replay keeps a snapshot of the whole tree per step, so its memory grows with the
# square of the graph: sides up to about 70 (4900 vertices) stay under a second.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ours=${OURS:-$here/../build/cli/arborix-cli}
other=${OTHER:-}
sides=${*:-30 45 70}
command -v planarity >/dev/null || apt-get install -y planarity
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
measure() { /usr/bin/time -f "%e s %M KB" "$@" 2>&1 >/dev/null | tail -1; }
for side in $sides; do
    python3 "$here/planar_graphs.py" grid "$side" "$work/g$side" >/dev/null
    "$ours" convert "$work/g$side.graphml" "$work/g$side.lxd" >/dev/null
    for bin in "$ours" $other; do
        echo "grid $side x $side  replayed    $(measure "$bin" planarity "$work/g$side.lxd")  ($bin)"
        echo "grid $side x $side  --no-replay $(measure "$bin" planarity "$work/g$side.lxd" --no-replay)  ($bin)"
    done
    echo "grid $side x $side  planarity -s -q -p $(measure planarity -s -q -p "$work/g$side.txt" "$work/out.txt")"
done
