#!/usr/bin/env bash
# arborix-cli render in every figure format, and convert from DOT and GML.
set -u
cli="$1"; tests="$2"
example="$tests/../examples/level-graph.lxd"
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for ext in pdf tex ipe dot; do
  "$cli" render "$example" "$out/a.$ext" --guides --margin 10 || fail "$ext render failed"
done
[ "$(head -c 5 "$out/a.pdf")" = "%PDF-" ] || fail "not a PDF"
grep -q '\\documentclass{standalone}' "$out/a.tex" || fail "TikZ is not a standalone document"
grep -q '<ipe version=' "$out/a.ipe" || fail "not an Ipe document"
grep -q '^graph G {' "$out/a.dot" || fail "not an undirected DOT graph"
"$cli" render "$example" "$out/s.png" --scale 2 || fail "png at scale 2 failed"
"$cli" render "$example" "$out/s.pdf" --scale 2 2>/dev/null; [ $? -eq 2 ] || fail "--scale is for PNG only"
"$cli" render "$example" "$out/s.png" --scale 0 2>/dev/null; [ $? -eq 2 ] || fail "--scale 0 must be a usage error"

# What render wrote as DOT comes back in with its nine vertices and edges.
"$cli" convert "$out/a.dot" "$out/back.lxd" || fail "DOT convert failed"
"$cli" info "$out/back.lxd" | grep -q '^vertices: 9$' || fail "DOT round trip lost vertices"
printf 'graph [\n directed 1\n node [ id 0 label "a" ]\n node [ id 1 label "b" ]\n edge [ source 0 target 1 ]\n]\n' > "$out/g.gml"
"$cli" convert "$out/g.gml" "$out/g.graphml" || fail "GML convert failed"
grep -q 'edgedefault="directed"' "$out/g.graphml" || fail "GML direction lost"
"$cli" render "$out/g.gml" "$out/g.svg" || fail "render from GML failed"

printf 'graph { a -- ' > "$out/bad.dot"
msg=$("$cli" convert "$out/bad.dot" "$out/bad.lxd"); [ $? -eq 1 ] || fail "a damaged DOT file must fail"
case "$msg" in "This DOT file cannot be read: line 1: "*) ;; *) fail "unexpected message: $msg" ;; esac
[ ! -e "$out/bad.lxd" ] || fail "nothing is written for a damaged input"
echo "formats: all passed"
