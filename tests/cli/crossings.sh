#!/usr/bin/env bash
# arborix-cli minimize-crossings and level-witness, run as a script would run them.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# K2,2 between tracks 1 and 2 with a long edge from track 1 to track 4, and a path that
# crosses itself as drawn but need not.
cat > "$work/g.graphml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns">
  <key id="x" for="node" attr.name="x" attr.type="double"/>
  <key id="y" for="node" attr.name="y" attr.type="double"/>
  <key id="t" for="node" attr.name="track" attr.type="int"/>
  <graph id="G" edgedefault="undirected">
    <node id="a"><data key="x">60</data><data key="y">30</data><data key="t">1</data></node>
    <node id="b"><data key="x">90</data><data key="y">30</data><data key="t">1</data></node>
    <node id="c"><data key="x">60</data><data key="y">60</data><data key="t">2</data></node>
    <node id="d"><data key="x">90</data><data key="y">60</data><data key="t">2</data></node>
    <node id="e"><data key="x">60</data><data key="y">120</data><data key="t">4</data></node>
    <node id="p"><data key="x">300</data><data key="y">30</data><data key="t">1</data></node>
    <node id="q"><data key="x">360</data><data key="y">30</data><data key="t">1</data></node>
    <node id="r"><data key="x">360</data><data key="y">60</data><data key="t">2</data></node>
    <node id="s"><data key="x">300</data><data key="y">60</data><data key="t">2</data></node>
    <edge source="a" target="c"/><edge source="a" target="d"/>
    <edge source="b" target="c"/><edge source="b" target="d"/>
    <edge source="a" target="e"/>
    <edge source="p" target="s"/><edge source="q" target="r"/><edge source="p" target="r"/>
  </graph>
</graphml>
XML
question="The level graph is non proper. Insert dummy vertices?."

# Without --yes the question is answered Cancel and nothing is drawn.
out="$("$cli" minimize-crossings "$work/g.graphml" -o "$work/no.lxd")"
[[ "$out" == "$question"$'\n'"crossings: 2 Crossings (2 Blue)" ]] || fail "cancelled run printed: $out"

# The K2,2 keeps its one crossing, the path loses its own; the same seed draws the same.
out="$("$cli" minimize-crossings "$work/g.graphml" -o "$work/m1.lxd" --yes --seed 5)"
[[ "$out" == "$question"$'\n'"crossings: 1 Crossing (Blue)" ]] || fail "minimize-crossings printed: $out"
"$cli" minimize-crossings "$work/g.graphml" -o "$work/m2.lxd" --yes --seed 5 >/dev/null
cmp -s "$work/m1.lxd" "$work/m2.lxd" || fail "the same seed drew differently"
"$cli" info "$work/m1.lxd" | grep -q '^bends: 2$' || fail "the long edge was not split"

# The witness is the K2,2: four edges, ids ascending; the long edge and the path are not in it.
out="$("$cli" level-witness "$work/g.graphml" -o "$work/w.lxd")"
[[ "$(sed -n 1p <<<"$out")" == "The highlighted 4 edges cannot be drawn on their levels without crossings." ]] ||
    fail "level-witness printed: $out"
line="$(sed -n 2p <<<"$out")"
[[ "$line" =~ ^witness:\ ([0-9]+)\ ([0-9]+)\ ([0-9]+)\ ([0-9]+)$ ]] || fail "witness line: $line"
ids=("${BASH_REMATCH[@]:1}")
(( ids[0] < ids[1] && ids[1] < ids[2] && ids[2] < ids[3] )) || fail "witness ids not ascending: $line"
[[ "$(wc -l <<<"$out")" -eq 2 ]] || fail "more than one witness: $out"

# A level planar graph has none: the path alone.
grep -v -e '"[abcde]"' "$work/g.graphml" > "$work/path.graphml"
out="$("$cli" level-witness "$work/path.graphml")"
[[ "$out" == "The graph is level planar" ]] || fail "level-witness on a path printed: $out"

# Usage errors.
set +e
"$cli" minimize-crossings "$work/g.graphml" 2>/dev/null; [[ $? -eq 2 ]] || fail "minimize-crossings without -o is not a usage error"
"$cli" minimize-crossings "$work/g.graphml" -o "$work/x.lxd" --seed x 2>/dev/null; [[ $? -eq 2 ]] || fail "a bad seed is not a usage error"
"$cli" level-witness 2>/dev/null; [[ $? -eq 2 ]] || fail "level-witness without a file is not a usage error"
exit 0
