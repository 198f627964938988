#!/usr/bin/env bash
# arborix-cli level-planarity, draw-level and experiment, run as a script would run them.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_output() { # expected, then the command
    local expected="$1"; shift
    local got
    got="$("$@")" || fail "exit status $? from: $*"
    [[ "$got" == "$expected" ]] || fail "from: $*"$'\n'"expected: $expected"$'\n'"got:      $got"
}

# The experiments on an empty document: the tree of 8 ends at its first counterexample
# without a message, the tree of 9 reports its counts.
expect_output "" "$cli" experiment 8 -o "$work/t8.lxd"
"$cli" info "$work/t8.lxd" | grep -q '^vertices: ' || fail "experiment 8 wrote no document"
expect_output "The tree is non level planar in 16 level assignments out of 362880" "$cli" experiment 9 -o "$work/t9.lxd"

# The counterexample of the tree of 8 is not level planar; the last assignment of the tree
# of 9 is.
expect_output "The graph is not level planar" "$cli" level-planarity "$work/t8.lxd"
expect_output "The graph is level planar" "$cli" level-planarity "$work/t9.lxd" -o "$work/t9-tested.lxd"

# Drawing: the document written is level planar and free of crossings.
expect_output "" "$cli" draw-level "$work/t9.lxd" -o "$work/t9-drawn.lxd" --animate-delay 5
"$cli" info "$work/t9-drawn.lxd" | grep -q '^crossings: 0 Crossings' || fail "the drawing has crossings"
expect_output "The graph is not level planar" "$cli" draw-level "$work/t8.lxd" -o "$work/t8-drawn.lxd"

# A K2,2 between tracks 1 and 2 and an edge from track 1 to track 4: the insertion
# question is answered Cancel unless --yes is given.
cat > "$work/k22.graphml" <<'XML'
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
    <edge source="a" target="c"/><edge source="a" target="d"/>
    <edge source="b" target="c"/><edge source="b" target="d"/>
    <edge source="a" target="e"/>
  </graph>
</graphml>
XML
question="The level graph is non proper. Insert dummy vertices?."
expect_output "$question" "$cli" level-planarity "$work/k22.graphml"
expect_output "$question"$'\n'"The graph is not level planar" "$cli" level-planarity "$work/k22.graphml" --yes

# Memory running out ends the command with a message and writes nothing. One path
# zigzagging between two tracks of 12 000 vertices: its 144 million same-level pairs take
# far more than the 400 MB of address space the command is given.
# AddressSanitizer's allocator ends the process when memory runs out instead of throwing,
# so the limit is tried only on an uninstrumented build.
if command -v prlimit >/dev/null && ! ldd "$cli" | grep libasan >/dev/null; then
    awk 'BEGIN {
        w = 12000
        print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        print "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">"
        print "<key id=\"x\" for=\"node\" attr.name=\"x\" attr.type=\"double\"/>"
        print "<key id=\"t\" for=\"node\" attr.name=\"track\" attr.type=\"int\"/>"
        print "<graph id=\"G\" edgedefault=\"undirected\">"
        for (l = 1; l <= 2; ++l)
            for (i = 0; i < w; ++i)
                printf "<node id=\"v%d_%d\"><data key=\"x\">%d</data><data key=\"t\">%d</data></node>\n", l, i, 30 * i, l
        for (i = 0; i < w; ++i) {
            printf "<edge source=\"v1_%d\" target=\"v2_%d\"/>\n", i, i
            if (i + 1 < w) printf "<edge source=\"v1_%d\" target=\"v2_%d\"/>\n", i, i + 1
        }
        print "</graph></graphml>"
    }' > "$work/wide.graphml"
    set +e
    got="$(prlimit --as=$((400 * 1024 * 1024)) "$cli" draw-level "$work/wide.graphml" -o "$work/wide.lxd")"
    status=$?
    set -e
    [[ $status -eq 1 ]] || fail "running out of memory is not exit status 1 (got $status)"
    [[ "$got" == "There is not enough memory to finish the command." ]] || fail "out of memory: got '$got'"
    [[ ! -e "$work/wide.lxd" ]] || fail "a command that ran out of memory wrote its output"
fi

# Usage errors.
set +e
"$cli" experiment 7 2>/dev/null; [[ $? -eq 2 ]] || fail "experiment 7 is not a usage error"
"$cli" draw-level "$work/t9.lxd" 2>/dev/null; [[ $? -eq 2 ]] || fail "draw-level without -o is not a usage error"
"$cli" level-planarity "$work/missing.lxd" >/dev/null; [[ $? -eq 1 ]] || fail "a missing file is not exit status 1"
exit 0
