#!/bin/bash
# arborix-cli draw-ulp: draws the ULP trees of a file and saves the result.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

node() { echo "<node id=\"$1\"><data key=\"t\">$2</data>${3:-}</node>"; }
edge() { echo "<edge source=\"$1\" target=\"$2\"/>"; }
graph() {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<graphml xmlns="http://graphml.graphdrawing.org/xmlns">'
    echo '<key id="t" for="node" attr.name="track" attr.type="int"/>'
    echo '<key id="b" for="node" attr.name="bend" attr.type="boolean"/>'
    echo '<graph id="G" edgedefault="undirected">'
    cat
    echo '</graph></graphml>'
}

# A 3-spider: centre on track 5, legs 6-2-8, 7-9 and 3-1-4; its edges skip 14 tracks.
{
    node c 5
    for t in 6 2 8 7 9 3 1 4; do node "v$t" "$t"; done
    edge c v6; edge v6 v2; edge v2 v8
    edge c v7; edge v7 v9
    edge c v3; edge v3 v1; edge v1 v4
} | graph > "$work/spider.graphml"

out=$("$cli" draw-ulp "$work/spider.graphml" -o "$work/spider.lxd") || fail "draw-ulp failed: $out"
[ -z "$out" ] || fail "unexpected output: $out"
info=$("$cli" info "$work/spider.lxd") || fail "info failed"
grep -qx "bends: 14" <<<"$info" || fail "bends: $info"
grep -qx "vertices: 23" <<<"$info" || fail "vertices: $info"

# A path through a bend: without --yes the question is answered Cancel and nothing is written.
{
    node a 1; node m 2 '<data key="b">true</data>'; node z 3
    edge a m; edge m z
} | graph > "$work/bent.graphml"
out=$("$cli" draw-ulp "$work/bent.graphml" -o "$work/bent.lxd")
[ $? -eq 1 ] || fail "cancelled draw should fail"
[ "$out" = "The operation will remove bends" ] || fail "question: $out"
[ ! -e "$work/bent.lxd" ] || fail "cancelled draw wrote a file"

out=$("$cli" draw-ulp "$work/bent.graphml" -o "$work/bent.lxd" --yes) || fail "draw with --yes failed: $out"
grep -qx "bends: 0" <<<"$("$cli" info "$work/bent.lxd")" || fail "bend not removed"

# Two edges between the same vertices: refused.
{ node a 1; node b 2; edge a b; edge b a; } | graph > "$work/double.graphml"
out=$("$cli" draw-ulp "$work/double.graphml" -o "$work/double.lxd")
[ $? -eq 1 ] || fail "non-simple graph should fail"
[ "$out" = "The graph is not simple." ] || fail "message: $out"

"$cli" draw-ulp "$work/spider.graphml" 2>/dev/null
[ $? -eq 2 ] || fail "missing -o should be a usage error"
echo ok
