#!/usr/bin/env bash
# arborix-cli experiment FILE and census, run as a script would run them.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The tree of 8 written by the built-in experiment, run again as a document: the same
# counts as the census gives its shape, and every listed assignment fails.
"$cli" experiment 8 -o "$work/t8.lxd" >/dev/null
out="$("$cli" experiment "$work/t8.lxd" --csv "$work/t8.csv" --yes)"
[[ "$(head -2 <<<"$out")" == $'The operation will remove bends\nThe graph is non level planar in 32 level assignments out of 40320' ]] ||
    fail "question and count line: $(head -2 <<<"$out")"
[[ "$(grep -c '^fail: ' <<<"$out")" == 32 ]] || fail "failing lines"
[[ "$(wc -l <"$work/t8.csv")" == 33 ]] || fail "csv rows"
# Without --yes the bends question is answered Cancel: no count.
out="$("$cli" experiment "$work/t8.lxd")"
[[ "$out" == "The operation will remove bends" ]] || fail "ran despite Cancel: $out"
# A triangle on two levels cannot be drawn: every assignment has an edge inside a level.
"$cli" experiment "$2/../examples/triangle-and-path.lxd" --levels 1 | head -1 |
    grep -qx "The graph is non level planar in 0 level assignments out of 0" || fail "one level"
# A large graph is refused before any work, also on a single level.
"$cli" random labeled -n 41 --seed 1 -o "$work/big.lxd" >/dev/null
[[ "$("$cli" experiment "$work/big.lxd" --levels 1)" == "The experiment takes graphs of up to 40 vertices." ]] ||
    fail "a graph of 41 vertices was taken"
"$cli" experiment "$work/missing.lxd" >/dev/null 2>&1 && fail "a missing file succeeded"
"$cli" experiment "$work/t8.lxd" --levels x >/dev/null 2>&1 && fail "a bad level count was taken"

# The census of 8: 23 trees, one of which fails, and the split of the classification.
out="$("$cli" census 8 --csv "$work/census.csv")"
[[ "$(grep -c '^tree: ' <<<"$out")" == 23 ]] || fail "census rows"
grep -qx "tree: none 32 40320 1-2 2-3 2-4 1-5 5-6 1-7 7-8" <<<"$out" || fail "the failing tree"
[[ "$(tail -1 <<<"$out")" == "22 trees are level planar in every level assignment, 1 are not; this is the split of the classification" ]] ||
    fail "summary: $(tail -1 <<<"$out")"
[[ "$(wc -l <"$work/census.csv")" == 24 ]] || fail "census csv"
"$cli" census 13 >/dev/null 2>&1 && fail "census 13 was taken"
exit 0
