#!/usr/bin/env bash
# arborix-cli render: PNG and SVG pictures of a document, and its refusals.
set -u
cli="$1"; tests="$2"
example="$tests/../examples/triangle-and-path.lxd"
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cli" render "$example" "$out/a.png" || fail "png render failed"
[ "$(head -c 8 "$out/a.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "not a PNG"

"$cli" render "$example" "$out/a.svg" --guides --margin 5 || fail "svg render failed"
grep -q "<svg" "$out/a.svg" || fail "not an SVG"
# Five labelled vertices of the example: their names are in the picture as text.
for name in a b c p q; do grep -q ">$name<" "$out/a.svg" || fail "label $name missing"; done

"$cli" render "$example" "$out/a.jpg"; [ $? -eq 2 ] || fail "a .jpg target must be a usage error"
"$cli" render "$out/missing.lxd" "$out/b.png" > "$out/msg"; [ $? -eq 1 ] || fail "a missing input must fail"
[ ! -e "$out/b.png" ] || fail "nothing is written for a missing input"
echo "render: all passed"
