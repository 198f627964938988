#!/usr/bin/env python3
"""Writes the level graph families of the level planarity benchmarks as GraphML.

usage: level_families.py FAMILY ARGS... OUT.graphml
  two-chains W MIXED SEED     tracks 0..4, W*W pairs that no crossing equation ties
  bipartite W                 K(W, W) between two adjacent tracks
  staircases LEVELS WIDTH SEED COMPONENTS
                              level planar staircases, COMPONENTS blocks per track
  delaunay N SEED             N random points, one per track, and their Delaunay
                              triangulation, drawn straight (level planar, long edges)
Vertices go to x = 30 * (place on the track); SEED > 0 shuffles the places. Delaunay
vertices keep the x of their points.
"""
import random
import sys


class Sketch:
    def __init__(self):
        self.level, self.edges, self.count = [], [], {}
        self.x = {}  # explicit x of a vertex, instead of its place on the track
        self.track_gap = 30  # y distance of neighbouring tracks

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
                x = self.x.get(v, 60 + 30 * place[v])
                out.write(f'<node id="n{v}"><data key="x">{x}</data>'
                          f'<data key="y">{self.track_gap * (self.level[v] + 1)}</data>'
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


def delaunay_edges(points):
    """Edges of the Delaunay triangulation (Bowyer-Watson, quadratic; fine for benchmarks)."""
    def circumcircle_holds(t, p):
        (ax, ay), (bx, by), (cx, cy) = (pts[i] for i in t)
        ax, ay, bx, by, cx, cy = ax - p[0], ay - p[1], bx - p[0], by - p[1], cx - p[0], cy - p[1]
        det = ((ax * ax + ay * ay) * (bx * cy - cx * by) - (bx * bx + by * by) * (ax * cy - cx * ay)
               + (cx * cx + cy * cy) * (ax * by - bx * ay))
        orient = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax)
        return det * orient > 0

    big = 1e7
    pts = list(points) + [(-big, -big), (big, -big), (0, big)]
    n = len(points)
    triangles = {(n, n + 1, n + 2)}
    for i in range(n):
        bad = [t for t in triangles if circumcircle_holds(t, pts[i])]
        count = {}
        for t in bad:
            for e in ((t[0], t[1]), (t[1], t[2]), (t[2], t[0])):
                key = tuple(sorted(e))
                count[key] = count.get(key, 0) + 1
        for t in bad:
            triangles.remove(t)
        for (a, b), c in count.items():
            if c == 1:
                triangles.add((a, b, i))
    edges = set()
    for t in triangles:
        for a, b in ((t[0], t[1]), (t[1], t[2]), (t[2], t[0])):
            if a < n and b < n:
                edges.add((min(a, b), max(a, b)))
    return sorted(edges)


def delaunay(n, seed):
    rng = random.Random(seed)
    s = Sketch()
    # Within the 20000-unit canvas, which clamps anything further out and would bend the
    # straight drawing into one with crossings.
    s.track_gap = min(30, 19000 // n)
    xs = [rng.randrange(min(30 * n, 19000)) for _ in range(n)]
    for track in range(n):
        s.x[s.add(track)] = 60 + xs[track]
    for a, b in delaunay_edges([(xs[t], s.track_gap * t) for t in range(n)]):
        s.join(a, b)
    return s


def main(argv):
    family, args, out = argv[1], [int(a) for a in argv[2:-1]], argv[-1]
    if family == "two-chains":
        two_chains(args[0], args[1]).write(out, args[2])
    elif family == "bipartite":
        bipartite(args[0]).write(out, 0)
    elif family == "staircases":
        staircases(args[0], args[1], args[2], args[3]).write(out, args[2])
    elif family == "delaunay":
        delaunay(args[0], args[1]).write(out, 0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
