#!/usr/bin/env bash
# arborix-cli random: counts, repeatable seeds, files, the attempt limit and bad sizes.
set -u
cli="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for method in labeled rooted free-labeled free-rooted wilf; do
    n=6
    out="$("$cli" random "$method" -n $n --seed 42)" || fail "$method exit status"
    [ "$out" = "$(printf 'vertices: %d\nedges: %d' $n $((n - 1)))" ] || fail "$method printed: $out"
done

"$cli" random wilf -n 60 --seed 7 -o "$tmp/a.lxd" || fail "write a"
"$cli" random wilf -n 60 --seed 7 -o "$tmp/b.lxd" || fail "write b"
cmp -s "$tmp/a.lxd" "$tmp/b.lxd" || fail "same seed, different files"
"$cli" random wilf -n 60 --seed 8 -o "$tmp/c.lxd" || fail "write c"
cmp -s "$tmp/a.lxd" "$tmp/c.lxd" && fail "different seeds, same file"
info="$("$cli" info "$tmp/a.lxd")" || fail "info"
grep -qx 'vertices: 60' <<<"$info" || fail "saved tree: $info"

out="$("$cli" random free-labeled -n 40 --seed 1 --max-attempts 20 -o "$tmp/none.lxd")"
[ $? -eq 1 ] || fail "attempt limit exit status"
grep -q '20 attempts' <<<"$out" || fail "attempt limit message: $out"
[ -e "$tmp/none.lxd" ] && fail "a file was written after the attempt limit"

"$cli" random rooted -n 1001 >/dev/null 2>&1
[ $? -eq 2 ] || fail "size 1001 accepted"
"$cli" random forest -n 10 >/dev/null 2>&1
[ $? -eq 2 ] || fail "unknown method accepted"
echo "ok"
