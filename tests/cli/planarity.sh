#!/usr/bin/env bash
# arborix-cli planarity: the verdict messages, the question about bends, usage errors.
set -u
cli="$1"
data="$2/cli/data"
examples="$2/../examples"
failed=0

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

expect "planar example" "The graph is planar." 0 "$cli" planarity "$examples/triangle-and-path.lxd"
expect "without replay" "The graph is planar." 0 "$cli" planarity --no-replay "$examples/triangle-and-path.graphml"
expect "K5" "The graph is non planar." 0 "$cli" planarity "$data/k5.graphml"
expect "bends declined" "The operation will remove bends" 0 "$cli" planarity "$data/bent-square.graphml"
expect "bends removed" $'The operation will remove bends\nThe graph is planar.' 0 \
    "$cli" planarity --yes "$data/bent-square.graphml"
expect "missing file" "Failed to open document." 1 "$cli" planarity "$data/no-such-file.lxd"
expect "no file" "" 2 "$cli" planarity

exit $failed
