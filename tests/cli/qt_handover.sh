#!/usr/bin/env bash
# arborix-cli loads no Qt library; a command that needs GraphML goes to
# arborix-cli-graphml (Qt Core alone) and one that draws to arborix-cli-qt, both beside it;
# without them such commands fail with a message.
set -u
cli="$1"; tests="$2"
examples="$tests/../examples"
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
here="$(dirname "$cli")"

if readelf -d "$cli" | grep -q 'libQt'; then fail "arborix-cli links a Qt library"; fi
readelf -d "$here/arborix-cli-graphml" | grep -q 'libQt6Core' || fail "arborix-cli-graphml lacks Qt Core"
if readelf -d "$here/arborix-cli-graphml" | grep -q 'libQt6Gui\|libQt6Svg'; then
  fail "arborix-cli-graphml links Qt's GUI or SVG library"
fi

# Every kind of command that needs Qt, through arborix-cli.
"$cli" planarity "$examples/triangle-and-path.lxd" --replay "$out/replay.svg" >/dev/null || fail "--replay failed"
grep -q '<svg' "$out/replay.svg" || fail "--replay wrote no SVG"
cp "$examples/triangle-and-path.graphml" "$out/UPPER.GRAPHML"
"$cli" convert "$out/UPPER.GRAPHML" "$out/upper.lxd" || fail "an upper-case .GRAPHML was not read"
"$cli" info "$out/upper.lxd" | grep -q '^vertices: ' || fail "the converted file has no vertices"
"$cli" kuratowski "$out/upper.lxd" -o "$out/k.graphml" >/dev/null || fail "-o .graphml failed"
grep -q '<graphml' "$out/k.graphml" || fail "-o .graphml wrote no GraphML"
"$cli" render "$out/k.graphml" "$out/r.svg" || fail "render from GraphML failed"
grep -q '<svg' "$out/r.svg" || fail "render wrote no SVG"

# A lone copy: the other commands run, these say what they lack and write nothing.
mkdir "$out/alone" && cp "$cli" "$out/alone/arborix-cli"
alone="$out/alone/arborix-cli"
"$alone" info "$examples/triangle-and-path.lxd" | grep -q '^vertices: ' || fail "info needs no Qt"
expect_refusal() { # expect_refusal MESSAGE FILE-NOT-WRITTEN ARGS...
  local message="$1" file="$2"; shift 2
  local msg; msg=$("$alone" "$@" 2>/dev/null); local rc=$?
  [ "$rc" -eq 1 ] || fail "$* exited $rc"
  [ "$msg" = "$message" ] || fail "$*: unexpected message: $msg"
  [ ! -e "$file" ] || fail "$* wrote $file"
}
expect_refusal "Pictures need arborix-cli-qt." "$out/x.svg" render "$examples/triangle-and-path.lxd" "$out/x.svg"
expect_refusal "GraphML needs arborix-cli-graphml." "$out/x.lxd" convert "$examples/triangle-and-path.graphml" "$out/x.lxd"
# With GraphML beside it but no pictures: GraphML works, drawing still says what it lacks.
cp "$here/arborix-cli-graphml" "$out/alone/"
"$alone" convert "$examples/triangle-and-path.graphml" "$out/y.lxd" || fail "GraphML beside arborix-cli was not used"
expect_refusal "Pictures need arborix-cli-qt." "$out/y.svg" render "$examples/triangle-and-path.graphml" "$out/y.svg"
echo "qt_handover: all passed"
