#!/usr/bin/python3
"""Writes the benchmark graphs of bench/planar-peers in two forms: GraphML with
coordinates (arborix-cli converts it to .lxd) and the adjacency list that the edge-addition
planarity suite reads ("N=n", then "v: neighbours -1").

  planar_graphs.py delaunay N SEED OUT   Delaunay triangulation of N random points
  planar_graphs.py grid SIDE OUT         SIDE x SIDE grid with one diagonal per square

Each writes OUT.graphml and OUT.txt (planar) and OUT-np.graphml and OUT-np.txt, the same
graph plus one edge between two distant inner vertices, which makes it non-planar."""

import sys


def delaunay(n, seed):
    import numpy as np
    from scipy.spatial import Delaunay
    rng = np.random.default_rng(seed)
    pts = rng.random((n, 2))
    tri = Delaunay(pts)
    edges = set()
    for a, b, c in tri.simplices:
        for u, v in ((a, b), (b, c), (c, a)):
            edges.add((min(u, v), max(u, v)))
    # The two vertices nearest to (0.25, 0.25) and (0.75, 0.75): inner and far apart.
    near = lambda x, y: int(np.argmin((pts[:, 0] - x) ** 2 + (pts[:, 1] - y) ** 2))
    return pts.tolist(), sorted(edges), (near(0.25, 0.25), near(0.75, 0.75))


def grid(side):
    pts, edges = [], []
    for r in range(side):
        for c in range(side):
            pts.append((c / max(1, side - 1), r / max(1, side - 1)))
            v = r * side + c
            if c + 1 < side:
                edges.append((v, v + 1))
            if r + 1 < side:
                edges.append((v, v + side))
            if c + 1 < side and r + 1 < side:
                edges.append((v, v + side + 1))
    q = side // 4
    return pts, edges, (q * side + q, (side - q) * side + side - q)


def write(out, pts, edges):
    # Coordinates inside the 20000-unit canvas, away from its border.
    with open(out + ".graphml", "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<graphml xmlns="http://graphml.graphdrawing.org/xmlns">\n'
                '  <key id="x" for="node" attr.name="x" attr.type="double"/>\n'
                '  <key id="y" for="node" attr.name="y" attr.type="double"/>\n'
                '  <graph id="G" edgedefault="undirected">\n')
        f.writelines('    <node id="n%d"><data key="x">%d</data><data key="y">%d</data></node>\n'
                     % (i, 20 + int(x * 19960), 20 + int(y * 19960)) for i, (x, y) in enumerate(pts))
        f.writelines('    <edge source="n%d" target="n%d"/>\n' % e for e in edges)
        f.write('  </graph>\n</graphml>\n')
    adjacent = [[] for _ in pts]
    for a, b in edges:
        adjacent[a].append(b)
        adjacent[b].append(a)
    with open(out + ".txt", "w") as f:
        f.write("N=%d\n" % len(pts))
        f.writelines("%d: %s -1\n" % (v, " ".join(map(str, ns))) for v, ns in enumerate(adjacent))


def main():
    kind = sys.argv[1]
    if kind == "delaunay":
        pts, edges, extra = delaunay(int(sys.argv[2]), int(sys.argv[3]))
    else:
        pts, edges, extra = grid(int(sys.argv[2]))
    out = sys.argv[-1]
    write(out, pts, edges)
    write(out + "-np", pts, edges + [extra])


if __name__ == "__main__":
    main()
