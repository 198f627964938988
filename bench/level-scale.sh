#!/usr/bin/env bash
# Whole-process timings of the level commands on the benchmark families (see
# level_families.py): seconds and peak memory of arborix-cli, one line per run. With
# BEFORE=path/to/another/arborix-cli every family also runs through that one, right before,
# so that both figures come from the same run on the same load. A copied arborix-cli needs
# its arborix-cli-graphml beside it for GraphML.
# usage: [BEFORE=old-cli] bench/level-scale.sh [path/to/arborix-cli] [run-name-prefixes...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build/cli/arborix-cli}"
shift || true
before="${BEFORE:-}"
only=("$@") # run names starting with one of these; all when none is given
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

measure() { # label, cli, name, command
    local label="$1" program="$2" name="$3" command="$4"
    local extra=()
    [[ "$command" == draw-level ]] && extra=(-o "$work/$name.lxd")
    /usr/bin/time -f "$name $command $label %e s %M KB" timeout 600 "$program" "$command" "$work/$name.graphml" --yes \
        "${extra[@]}" >"$work/out" 2>"$work/time" || true
    echo "$(tail -1 "$work/time") : $(tail -1 "$work/out")"
}

run() { # name, command, family arguments...
    local name="$1" command="$2"; shift 2
    if ((${#only[@]})); then
        local f keep=0
        for f in "${only[@]}"; do [[ "$name" == "$f"* ]] && keep=1; done
        ((keep)) || return 0
    fi
    python3 "$here/level_families.py" "$@" "$work/$name.graphml"
    [[ -n "$before" ]] && measure before "$before" "$name" "$command"
    measure after "$cli" "$name" "$command"
}

for w in 400 1000 1400 4000; do
    for mixed in 0 50; do
        for seed in 0 7; do run "two-chains-$w-$mixed-$seed" level-planarity two-chains "$w" "$mixed" "$seed"; done
    done
done
run k200 level-planarity bipartite 200
run k1000 level-planarity bipartite 1000
run staircases-20x200 level-planarity staircases 20 200 3 1
run staircases-100x100 level-planarity staircases 100 100 3 1
run staircases-200x400 level-planarity staircases 200 400 3 1
run staircases-10x3200 level-planarity staircases 10 3200 3 1
run delaunay-800 level-planarity delaunay 800 1
# Many narrow components (16 vertices per track each): in level order (seed 0), and with
# places and element order shuffled (seed 3), where every exchange is an undo step.
for w in 1600 3200 6400; do
    for seed in 0 3; do run "components-5x$w-$seed" draw-level staircases 5 "$w" "$seed" $((w / 16)); done
done
