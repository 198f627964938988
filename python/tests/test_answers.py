"""Certificates and the level algorithms from Python, each answer checked independently:
Kuratowski subgraphs and drawings against networkx and geometry, witnesses and crossing
counts against brute force, the census against the known number of free trees."""

import itertools
import math
import pathlib
import random

import networkx as nx
import pytest

import arborix

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


def random_graph(rng, n, m):
    G = nx.Graph()
    G.add_nodes_from(range(n))
    pairs = list(itertools.combinations(range(n), 2))
    G.add_edges_from(rng.sample(pairs, min(m, len(pairs))))
    return G


def segments_cross(p, q, r, s):
    """Whether the closed segments pq and rs meet."""
    def orient(a, b, c):
        v = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])
        return (v > 0) - (v < 0)

    def on(a, b, c):
        return min(a[0], b[0]) <= c[0] <= max(a[0], b[0]) and min(a[1], b[1]) <= c[1] <= max(a[1], b[1])

    o1, o2, o3, o4 = orient(p, q, r), orient(p, q, s), orient(r, s, p), orient(r, s, q)
    if o1 != o2 and o3 != o4:
        return True
    return any(o == 0 and on(a, b, c) for o, a, b, c in ((o1, p, q, r), (o2, p, q, s), (o3, r, s, p), (o4, r, s, q)))


def check_drawing(G, pos):
    assert set(pos) == set(G) and len(set(pos.values())) == len(pos)
    for v in G:
        for a, b in G.edges():
            # No vertex on an edge it does not end.
            assert v in (a, b) or not segments_cross(pos[a], pos[b], pos[v], pos[v])
    for (a, b), (c, d) in itertools.combinations(G.edges(), 2):
        if not {a, b} & {c, d}:
            assert not segments_cross(pos[a], pos[b], pos[c], pos[d]), ((a, b), (c, d))


def check_kuratowski(G, cert):
    H = nx.Graph(cert["edges"])
    assert all(G.has_edge(a, b) for a, b in H.edges())
    assert not nx.check_planarity(H)[0]
    degree = 4 if cert["kind"] == "K5" else 3
    assert sorted(v for v in H if H.degree(v) > 2) == sorted(cert["branches"])
    assert len(cert["branches"]) == (5 if cert["kind"] == "K5" else 6)
    assert all(H.degree(v) in (2, degree) for v in H)
    # A subdivision is minimal: without any one of its edges it is planar.
    for e in list(H.edges()):
        H.remove_edge(*e)
        assert nx.check_planarity(H)[0]
        H.add_edge(*e)


def test_planarity_certificates():
    rng = random.Random(18)
    kinds = set()
    for _ in range(60):
        n = rng.randint(5, 11)
        G = random_graph(rng, n, rng.randint(n, 3 * n - 3))
        planar, cert = arborix.is_planar(G, certificate=True)
        assert planar == nx.check_planarity(G)[0] == arborix.is_planar(G)
        if planar:
            check_drawing(G, cert)
        else:
            check_kuratowski(G, cert)
            kinds.add(cert["kind"])
    assert kinds == {"K5", "K3,3"}
    grid = nx.convert_node_labels_to_integers(nx.triangular_lattice_graph(5, 6))
    planar, pos = arborix.is_planar(grid, certificate=True)
    assert planar
    check_drawing(grid, pos)
    # Documents name the edges of the certificate by id.
    doc = arborix.from_networkx(nx.complete_bipartite_graph(3, 3))
    planar, cert = arborix.is_planar(doc, certificate=True)
    assert not planar and cert["kind"] == "K3,3"
    assert sorted(cert["edges"]) == sorted(e["id"] for e in doc.edges())


def proper_crossings(G, orders, levels):
    pos = {v: i for order in orders.values() for i, v in enumerate(order)}
    gaps = {}
    for a, b in G.edges():
        if levels[a] > levels[b]:
            a, b = b, a
        gaps.setdefault(levels[a], []).append((pos[a], pos[b]))
    return sum((a1 - a2) * (b1 - b2) < 0 for es in gaps.values() for (a1, b1), (a2, b2) in itertools.combinations(es, 2))


def random_level_graph(rng, n, m, k):
    """A proper level graph: edges only between adjacent levels."""
    levels = {v: rng.randrange(k) for v in range(n)}
    pairs = [(a, b) for a, b in itertools.combinations(range(n), 2) if abs(levels[a] - levels[b]) == 1]
    G = nx.Graph()
    G.add_nodes_from(range(n))
    G.add_edges_from(rng.sample(pairs, min(m, len(pairs))))
    return G, levels


def test_level_witness_is_minimal():
    rng = random.Random(5)
    outcomes = set()
    for _ in range(40):
        G, levels = random_level_graph(rng, 9, rng.randint(6, 12), 3)
        planar, answer = arborix.is_level_planar(G, levels, witness=True)
        assert planar == arborix.is_level_planar(G, levels)[0]
        outcomes.add(planar)
        if planar:
            continue
        W = nx.Graph(answer)
        assert all(G.has_edge(a, b) for a, b in W.edges())
        sub = {v: levels[v] for v in W}
        assert not arborix.is_level_planar(W, sub)[0]
        for e in list(W.edges()):
            W.remove_edge(*e)
            assert arborix.is_level_planar(W, sub)[0]
            W.add_edge(*e)
    assert outcomes == {True, False}


def brute_minimum(G, levels):
    by_level = {}
    for v in G:
        by_level.setdefault(levels[v], []).append(v)
    keys = sorted(by_level)
    best = math.inf
    for perms in itertools.product(*(itertools.permutations(by_level[k]) for k in keys)):
        best = min(best, proper_crossings(G, dict(zip(keys, perms)), levels))
    return best


def test_minimize_crossings():
    rng = random.Random(11)
    for _ in range(25):
        G, levels = random_level_graph(rng, 8, rng.randint(6, 12), 3)
        result = arborix.minimize_crossings(G, levels, seed=3)
        orders = result["orders"]
        assert sorted(v for o in orders.values() for v in o) == sorted(G)
        assert all(levels[v] == k for k, o in orders.items() for v in o)
        assert result["crossings"] == proper_crossings(G, orders, levels)
        assert result["crossings"] >= brute_minimum(G, levels)
        if result["optimal"]:
            assert result["crossings"] == brute_minimum(G, levels)
        assert arborix.minimize_crossings(G, levels, seed=3) == result
    tree = nx.random_labeled_tree(30, seed=2) if hasattr(nx, "random_labeled_tree") else nx.random_tree(30, seed=2)
    depth = nx.single_source_shortest_path_length(tree, 0)
    assert arborix.minimize_crossings(tree, depth)["crossings"] == 0
    with pytest.raises(arborix.ArborixError, match="There are edges between vertices on the same level."):
        arborix.minimize_crossings(nx.path_graph(2), {0: 0, 1: 0})


def test_experiment_counts_failing_assignments():
    # Brute force: every one-vertex-per-level assignment through the level planarity test.
    rng = random.Random(3)
    G = random_graph(rng, 6, 7)
    failing = sum(not arborix.is_level_planar(G, dict(zip(G, p)))[0]
                  for p in itertools.permutations(range(1, 7)))
    result = arborix.experiment(G)
    assert (result["failing"], result["total"]) == (failing, 720)
    assert result["text"] == f"The graph is non level planar in {failing} level assignments out of 720"
    assert len(result["failures"]) == failing
    assert all(not arborix.is_level_planar(G, f)[0] for f in result["failures"])
    # Levels 1..K: only assignments without an edge inside a level count.
    C = nx.cycle_graph(4)
    proper = [a for a in itertools.product(range(1, 4), repeat=4) if all(a[u] != a[v] for u, v in C.edges())]
    result = arborix.experiment(C, levels=3)
    assert result["total"] == len(proper)
    assert result["failing"] == sum(not arborix.is_level_planar(C, dict(enumerate(a)))[0] for a in proper)
    with pytest.raises(arborix.ArborixError, match="The experiment takes graphs of up to 40 vertices."):
        arborix.experiment(nx.path_graph(41))
    bent = nx.path_graph(3)
    bent.nodes[1]["bend"] = True
    with pytest.raises(arborix.ArborixError, match="The graph has bends."):
        arborix.experiment(arborix.from_networkx(bent))
    assert arborix.experiment(arborix.from_networkx(nx.path_graph(3)))["total"] == 6


def test_census():
    known = {3: 1, 4: 2, 5: 3, 6: 6, 7: 11, 8: 23}
    for n, count in known.items():
        result = arborix.census(n)
        trees = [nx.Graph(t["edges"]) for t in result["trees"]]
        assert len(trees) == count and result["miscounted"] == []
        assert all(nx.is_tree(T) and len(T) == n for T in trees)
        assert not any(nx.is_isomorphic(a, b) for a, b in itertools.combinations(trees, 2))
        assert all(t["total"] == math.factorial(n) for t in result["trees"])
        # The trees that pass every assignment are exactly the classified ones.
        assert all((t["failing"] == 0) == (t["class"] != "none") for t in result["trees"])
        assert "this is the split of the classification" in result["summary"]
    assert sum(t["failing"] > 0 for t in arborix.census(8)["trees"]) == 1
    with pytest.raises(ValueError):
        arborix.census(13)


def test_random_tree_without_a_document_is_the_documents_tree():
    for method in ("labeled", "rooted", "free-labeled", "free-rooted", "wilf"):
        G = arborix.random_tree(7, method, seed=11, as_networkx=True)
        D = arborix.to_networkx(arborix.random_tree(7, method, seed=11))
        assert nx.is_tree(G) and sorted(G) == list(range(1, 8))
        name = {v: int(d["name"]) for v, d in D.nodes(data=True)}
        assert sorted((name[v], d["x"], d["y"], d["track"], d["color"]) for v, d in D.nodes(data=True)) == \
            sorted((v, d["x"], d["y"], d["track"], d["color"]) for v, d in G.nodes(data=True))
        assert {frozenset((name[a], name[b])) for a, b in D.edges()} == {frozenset(e) for e in G.edges()}
    with pytest.raises(arborix.ArborixError, match="No tree was accepted in 1 attempts."):
        arborix.random_tree(14, "free-labeled", seed=1, max_attempts=1, as_networkx=True)


def test_ctrl_c_stops_a_long_run():
    import os
    import signal
    import threading
    import time

    # Every assignment of 11 levels to a path takes minutes; Ctrl-C must end it at once.
    timer = threading.Timer(0.5, os.kill, (os.getpid(), signal.SIGINT))
    start = time.monotonic()
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        arborix.experiment(nx.path_graph(11))
    assert time.monotonic() - start < 20
    timer.join()
    assert arborix.experiment(nx.path_graph(4))["total"] == 24
