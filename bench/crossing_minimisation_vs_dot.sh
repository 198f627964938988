#!/usr/bin/env bash
# Crossings on fixed levels: arborix-cli minimize-crossings against Graphviz dot on the same
# proper level graphs (dot gets rank=same per level and the dummy vertices as nodes; both
# sides' orders are read back and counted by the same function).
#   bench/crossing_minimisation_vs_dot.sh [--graphs N] [--seed S] [--large [N ...]] [--graphml]
# --large adds one graph of each size (10 000 and 100 000 vertices unless given; dot gets
# 20 minutes each). Each side's timed run reads its own format: .lxd for arborix-cli,
# converted from the GraphML outside the timing, and DOT for dot; --graphml times
# arborix-cli on GraphML in and out instead.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${ARBORIX_CLI:-$here/../build/cli/arborix-cli}"
[[ -x "$cli" ]] || { echo "build arborix-cli first (cmake --build build --target arborix-cli)" >&2; exit 1; }
if ! command -v dot >/dev/null; then
    apt-get install -y graphviz >/dev/null || { echo "Graphviz dot is needed: apt-get install graphviz" >&2; exit 1; }
fi
exec python3 "$here/crossing_minimisation_vs_dot.py" "$cli" "$@"
