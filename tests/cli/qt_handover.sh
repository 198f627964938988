#!/usr/bin/env bash
# arborix-cli loads no Qt library; the commands that need GraphML or a picture go to
# arborix-cli-qt beside it, and without it they fail with a message.
set -u
cli="$1"; tests="$2"
examples="$tests/../examples"
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

if readelf -d "$cli" | grep -q 'libQt'; then fail "arborix-cli links a Qt library"; fi

# Every kind of command that needs Qt, through arborix-cli.
"$cli" planarity "$examples/triangle-and-path.lxd" --replay "$out/replay.svg" >/dev/null || fail "--replay failed"
grep -q '<svg' "$out/replay.svg" || fail "--replay wrote no SVG"
cp "$examples/triangle-and-path.graphml" "$out/UPPER.GRAPHML"
"$cli" convert "$out/UPPER.GRAPHML" "$out/upper.lxd" || fail "an upper-case .GRAPHML was not read"
"$cli" info "$out/upper.lxd" | grep -q '^vertices: ' || fail "the converted file has no vertices"
"$cli" kuratowski "$out/upper.lxd" -o "$out/k.graphml" >/dev/null || fail "-o .graphml failed"
grep -q '<graphml' "$out/k.graphml" || fail "-o .graphml wrote no GraphML"
"$cli" render "$out/upper.lxd" "$out/r.svg" || fail "render failed"

# arborix-cli on its own: the other commands run, these say what they lack.
mkdir "$out/alone" && cp "$cli" "$out/alone/arborix-cli"
alone="$out/alone/arborix-cli"
"$alone" info "$examples/triangle-and-path.lxd" | grep -q '^vertices: ' || fail "info needs no Qt"
msg=$("$alone" render "$examples/triangle-and-path.lxd" "$out/x.svg" 2>/dev/null); rc=$?
[ "$rc" -eq 1 ] || fail "render without arborix-cli-qt exited $rc"
[ "$msg" = "GraphML and pictures need arborix-cli-qt." ] || fail "unexpected message: $msg"
[ ! -e "$out/x.svg" ] || fail "nothing is written without arborix-cli-qt"
echo "qt_handover: all passed"
