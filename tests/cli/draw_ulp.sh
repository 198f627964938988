#!/bin/bash
# arborix-cli draw-ulp: draws the ULP trees of a file and saves the result.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

graph() {
    echo '<?xml version="1.0" encoding="UTF-8"?><graphml xmlns="http://graphml.graphdrawing.org/xmlns">'
    echo '<key id="t" for="node" attr.name="track" attr.type="int"/>'
    echo '<key id="b" for="node" attr.name="bend" attr.type="boolean"/><graph id="G" edgedefault="undirected">'
    for n in $1; do echo "<node id=\"${n%%:*}\"><data key=\"t\">${n#*:}</data></node>"; done
    for e in $2; do echo "<edge source=\"${e%-*}\" target=\"${e#*-}\"/>"; done
    echo "${3:-}</graph></graphml>"
}

# A 3-spider (centre on track 5, legs 6-2-8, 7-9, 3-1-4) whose edges skip 14 tracks.
graph "c:5 a:6 b:2 d:8 e:7 f:9 g:3 h:1 i:4" "c-a a-b b-d c-e e-f c-g g-h h-i" > "$work/spider.graphml"
out=$("$cli" draw-ulp "$work/spider.graphml" -o "$work/spider.lxd") || fail "draw-ulp failed: $out"
[ -z "$out" ] || fail "unexpected output: $out"
info=$("$cli" info "$work/spider.lxd") || fail "info failed"
grep -qx "bends: 14" <<<"$info" || fail "bends: $info"

# A path through a bend: without --yes the question is answered Cancel and nothing is written.
graph "a:1 z:3" "a-m m-z" '<node id="m"><data key="t">2</data><data key="b">true</data></node>' > "$work/bent.graphml"
out=$("$cli" draw-ulp "$work/bent.graphml" -o "$work/bent.lxd")
[ $? -eq 1 ] || fail "a cancelled drawing should fail"
[ "$out" = "The operation will remove bends" ] || fail "question: $out"
[ ! -e "$work/bent.lxd" ] || fail "a cancelled drawing wrote a file"
out=$("$cli" draw-ulp "$work/bent.graphml" -o "$work/bent.lxd" --yes) || fail "draw with --yes failed: $out"
grep -qx "bends: 0" <<<"$("$cli" info "$work/bent.lxd")" || fail "bend not removed"

"$cli" draw-ulp "$work/spider.graphml" 2>/dev/null
[ $? -eq 2 ] || fail "missing -o should be a usage error"
echo ok
