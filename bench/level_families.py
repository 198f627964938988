#!/usr/bin/env python3
"""Writes the level graph families of the level planarity benchmarks as GraphML.

usage: level_families.py FAMILY ARGS... OUT.graphml
  two-chains W MIXED SEED     tracks 0..4, W*W pairs that no crossing equation ties
  bipartite W                 K(W, W) between two adjacent tracks
  staircases LEVELS WIDTH SEED COMPONENTS
                              level planar staircases, COMPONENTS blocks per track
Vertices go to x = 30 * (place on the track); SEED > 0 shuffles the places.
"""
import random
import sys


class Sketch:
    def __init__(self):
        self.level, self.edges, self.count = [], [], {}

    def add(self, level):
        self.level.append(level)
        self.count[level] = self.count.get(level, 0) + 1
        return len(self.level) - 1

    def join(self, a, b):
        self.edges.append((a, b))

    def write(self, path, seed):
        rng = random.Random(seed)
        place, next_place = [], {}
        for lv in self.level:
            place.append(next_place.get(lv, 0))
            next_place[lv] = place[-1] + 1
        if seed:
            by_level = {}
            for v, lv in enumerate(self.level):
                by_level.setdefault(lv, []).append(v)
            for vs in by_level.values():
                places = list(range(len(vs)))
                rng.shuffle(places)
                for v, p in zip(vs, places):
                    place[v] = p
        # Elements in shuffled order too, so that nothing follows the construction.
        order = list(range(len(self.level)))
        if seed:
            rng.shuffle(order)
        with open(path, "w") as out:
            out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                      '<graphml xmlns="http://graphml.graphdrawing.org/xmlns">\n'
                      '<key id="x" for="node" attr.name="x" attr.type="double"/>\n'
                      '<key id="y" for="node" attr.name="y" attr.type="double"/>\n'
                      '<key id="t" for="node" attr.name="track" attr.type="int"/>\n'
                      '<graph id="G" edgedefault="undirected">\n')
            for v in order:
                out.write(f'<node id="n{v}"><data key="x">{60 + 30 * place[v]}</data>'
                          f'<data key="y">{30 * (self.level[v] + 1)}</data>'
                          f'<data key="t">{self.level[v] + 1}</data></node>\n')
            for a, b in self.edges:
                out.write(f'<edge source="n{a}" target="n{b}"/>\n')
            out.write('</graph>\n</graphml>\n')


def two_chains(w, mixed):
    s = Sketch()
    r, top = s.add(0), s.add(4)
    for _ in range(w):
        p, u = s.add(1), s.add(2)
        s.join(r, p)
        s.join(p, u)
    for _ in range(w):
        d, q = s.add(2), s.add(3)
        s.join(d, q)
        s.join(q, top)
    for _ in range(1 + mixed):
        a, m, b = s.add(1), s.add(2), s.add(3)
        s.join(r, a)
        s.join(a, m)
        s.join(m, b)
        s.join(b, top)
    return s


def bipartite(w):
    s = Sketch()
    low = [s.add(0) for _ in range(w)]
    high = [s.add(1) for _ in range(w)]
    for a in low:
        for b in high:
            s.join(a, b)
    return s


def staircases(levels, width, seed, components):
    rng = random.Random(seed + 1000)
    s = Sketch()
    tracks = [[s.add(lv) for _ in range(width)] for lv in range(levels)]
    block = max(1, width // max(1, components))
    for lv in range(levels - 1):
        for start in range(0, width, block):
            end = min(width, start + block)
            a = b = start
            while a < end and b < end:
                s.join(tracks[lv][a], tracks[lv + 1][b])
                k = rng.randrange(3)
                a += k != 1
                b += k != 0
    return s


def main(argv):
    family, args, out = argv[1], [int(a) for a in argv[2:-1]], argv[-1]
    if family == "two-chains":
        two_chains(args[0], args[1]).write(out, args[2])
    elif family == "bipartite":
        bipartite(args[0]).write(out, 0)
    elif family == "staircases":
        staircases(args[0], args[1], args[2], args[3]).write(out, args[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
