#!/bin/sh
# Times `arborix-cli experiment 9` as a whole process, ours and a peer binary (for example
# the build of an older commit) in the same run, best of five each.
# usage: bench/experiment-process.sh [PEER-ARBORIX-CLI]
set -e
ours="$(dirname "$0")/../build/cli/arborix-cli"
best() {
    b=""
    for _ in 1 2 3 4 5; do
        t=$( { /usr/bin/time -f "%e" "$1" experiment 9 >/dev/null; } 2>&1 )
        if [ -z "$b" ] || [ "$(echo "$t < $b" | bc)" = 1 ]; then b=$t; fi
    done
    echo "$b"
}
echo "ours: $(best "$ours") s"
[ -n "$1" ] && echo "peer: $(best "$1") s"
exit 0
