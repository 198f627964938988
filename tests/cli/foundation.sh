#!/usr/bin/env bash
# arborix-cli info, convert and components, run as a script would run them.
set -u
cli=$1
tests=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # name, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected [$2] got [$3]"
    failures=$((failures + 1))
  fi
}

cat > "$work/g.graphml" <<'XML'
<?xml version="1.0"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns">
  <key id="w" for="edge" attr.name="weight" attr.type="int"/>
  <graph edgedefault="undirected">
    <node id="a"/><node id="b"/><node id="c"/><node id="d"/>
    <edge source="a" target="b"><data key="w">4</data></edge>
    <edge source="b" target="c"/><edge source="c" target="a"/>
  </graph>
</graphml>
XML

"$cli" convert "$work/g.graphml" "$work/g.lxd"; check "convert graphml" 0 $?
out=$("$cli" info "$work/g.lxd"); check "info status" 0 $?
check "vertices" "vertices: 4" "$(grep '^vertices:' <<<"$out")"
check "edges" "edges: 3" "$(grep '^edges:' <<<"$out")"
check "bends" "bends: 0" "$(grep '^bends:' <<<"$out")"
check "crossings" "crossings: 0 Crossings" "$(grep '^crossings:' <<<"$out")"
check "classification" "classification: 2 Connected Components, 1 Tree, 1 ULP Tree (1 Caterpillar)" \
  "$(grep '^classification:' <<<"$out")"
check "components" "There are 2 connected components." "$("$cli" components "$work/g.lxd")"

# .lxd -> .lxd is byte for byte stable once written by the program.
"$cli" convert "$work/g.lxd" "$work/h.lxd" && "$cli" convert "$work/h.lxd" "$work/i.lxd"
cmp -s "$work/h.lxd" "$work/i.lxd"; check "lxd round trip" 0 $?

# The text export, byte for byte; the GraphML round trip keeps names and weights.
"$cli" convert "$work/g.lxd" "$work/g.txt"; check "convert txt" 0 $?
check "text export" "$(printf 'node 0 -30 -30\r\nnode 1 30 -30\r\nnode 2 -30 30\r\nnode 3 30 30\r\n\r\nedge 0 0 1\r\nedge 0 1 2\r\nedge 0 2 0\r\n')" \
  "$(cat "$work/g.txt")"
"$cli" convert "$work/g.lxd" "$work/back.graphml" && "$cli" convert "$work/back.graphml" "$work/back.lxd"
check "graphml round trip" "$(cat "$work/g.txt")" "$("$cli" convert "$work/back.lxd" "$work/back.txt" && cat "$work/back.txt")"
grep -q '>4</data>' "$work/back.graphml"; check "graphml weight" 0 $?

# Failures: the document's own message, exit status 1; usage errors exit with 2.
check "wrong magic" "Invalid File Type" "$("$cli" info "$tests/io/corpus/wrong-magic.lxd")"
"$cli" info "$tests/io/corpus/wrong-magic.lxd" > /dev/null; check "wrong magic status" 1 $?
check "version 24" "Incorrect file version." "$("$cli" info "$tests/io/corpus/version-24.lxd")"
check "missing file" "Failed to open document." "$("$cli" info "$work/none.lxd")"
"$cli" info > /dev/null 2>&1; check "usage status" 2 $?
"$cli" frobnicate > /dev/null 2>&1; check "unknown command status" 2 $?
printf '<graphml><graph><node id="a"/>' > "$work/broken.graphml"
check "broken graphml" "Unexpected file format." "$("$cli" convert "$work/broken.graphml" "$work/x.lxd")"

exit $failures
