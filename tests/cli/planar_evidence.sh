#!/usr/bin/env bash
# arborix-cli kuratowski and draw-planar: verdicts, the subdivision's edge ids, the saved
# drawing, usage errors.
set -u
cli="$1"
data="$2/cli/data"
examples="$2/../examples"
failed=0
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

expect() { # expect NAME EXPECTED-OUTPUT EXPECTED-STATUS COMMAND...
    local name="$1" want="$2" status="$3"
    shift 3
    local got rc
    got="$("$@" 2>/dev/null)"
    rc=$?
    if [[ "$got" != "$want" || "$rc" != "$status" ]]; then
        echo "FAIL $name: got status $rc and output:"
        echo "$got"
        failed=1
    fi
}

# K5 as the example file numbers it: five vertices, then its ten edges.
expect "K5" $'The graph is non planar: the highlighted edges form a subdivision of K5.\nkuratowski: K5\nedges: 5 6 7 8 9 10 11 12 13 14' 0 \
    "$cli" kuratowski "$data/k5.graphml" -o "$tmp/k5.lxd"
[[ -s "$tmp/k5.lxd" ]] || { echo "FAIL K5: no output file"; failed=1; }
expect "planar" "The graph is planar." 0 "$cli" kuratowski "$examples/triangle-and-path.lxd"
expect "bends declined" "The operation will remove bends" 0 "$cli" kuratowski "$data/bent-square.graphml"
expect "draw" "" 0 "$cli" draw-planar "$examples/triangle-and-path.lxd" -o "$tmp/drawn.lxd"
expect "drawn reloads" "crossings: 0 Crossings" 0 bash -c "'$cli' info '$tmp/drawn.lxd' | grep crossings"
expect "draw non-planar" "The graph is non planar." 1 "$cli" draw-planar "$data/k5.graphml" -o "$tmp/none.lxd"
[[ -e "$tmp/none.lxd" ]] && { echo "FAIL draw non-planar wrote a file"; failed=1; }
expect "draw without -o" "" 2 "$cli" draw-planar "$examples/triangle-and-path.lxd"
expect "no file" "" 2 "$cli" kuratowski

exit $failed
