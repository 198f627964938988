"""is_planar from Python against networkx.check_planarity in the same run, on a planar
networkx graph of 100 000 vertices (a grid with one diagonal per cell), conversion from
networkx included in our time.

    PYTHONPATH=build/python python3 bench/planarity_vs_networkx.py [ROWS COLUMNS]
"""

import sys
import time

import networkx as nx

import arborix


def triangulated_grid(rows, columns):
    G = nx.grid_2d_graph(rows, columns)
    G.add_edges_from(((r, c), (r + 1, c + 1)) for r in range(rows - 1) for c in range(columns - 1))
    return nx.convert_node_labels_to_integers(G)


def timed(f):
    start = time.perf_counter()
    result = f()
    return result, time.perf_counter() - start


def main():
    rows, columns = (int(sys.argv[1]), int(sys.argv[2])) if len(sys.argv) == 3 else (250, 400)
    G = triangulated_grid(rows, columns)
    print(f"graph: {G.number_of_nodes()} vertices, {G.number_of_edges()} edges")
    ours, t_ours = timed(lambda: arborix.is_planar(G))
    theirs, t_theirs = timed(lambda: nx.check_planarity(G)[0])
    print(f"arborix.is_planar:        {t_ours:8.3f} s  ({ours})")
    print(f"networkx.check_planarity: {t_theirs:8.3f} s  ({theirs})")
    print(f"ratio: {t_theirs / t_ours:.1f}x")
    if ours != theirs:
        sys.exit("the verdicts differ")


if __name__ == "__main__":
    main()
