"""Tests of the arborix module: files, networkx conversion, and the algorithms on
documents and on networkx graphs, checked against networkx where it has an answer."""

import itertools
import pathlib
import random

import networkx as nx
import pytest

import arborix

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


def fields(doc):
    return ([{k: v[k] for k in ("name", "x", "y", "radius", "color", "track", "bend")} for v in doc.vertices()],
            [(e["color"], e["weight"]) for e in doc.edges()])


def test_files_round_trip_and_errors(tmp_path):
    doc = arborix.open(str(EXAMPLES / "triangle-and-path.lxd"))
    assert len(doc) == len(doc.vertices()) > 0
    ids = {v["id"] for v in doc.vertices()}
    assert all(e["source"] in ids and e["target"] in ids for e in doc.edges())
    for ext in ("lxd", "graphml"):
        path = tmp_path / f"copy.{ext}"
        doc.save(str(path))
        assert fields(arborix.open(str(path))) == fields(doc)
    with pytest.raises(arborix.ArborixError, match="Failed to open document."):
        arborix.open(str(tmp_path / "missing.lxd"))
    (tmp_path / "junk.lxd").write_bytes(b"\x00" * 40)
    with pytest.raises(arborix.ArborixError):
        arborix.open(str(tmp_path / "junk.lxd"))
    with pytest.raises(ValueError):
        doc.save(str(tmp_path / "copy.doc"))


def test_networkx_conversion_keeps_fields():
    G = nx.Graph()
    G.add_node("a", x=100, y=200, track=3, color=0x0000FF, radius=12)
    G.add_node("b", x=300, y=230, track=4)
    G.add_node("c")
    G.add_edge("a", "b", color=2, weight=7)
    G.add_edge("b", "c")
    doc = arborix.from_networkx(G)
    H = arborix.to_networkx(doc)
    by_name = {d["name"]: d for _, d in H.nodes(data=True)}
    assert (by_name["a"]["x"], by_name["a"]["y"], by_name["a"]["track"]) == (100, 200, 3)
    assert (by_name["a"]["color"], by_name["a"]["radius"]) == (0x0000FF, 12)
    assert by_name["b"]["track"] == 4
    weights = sorted((d["color"], d["weight"]) for _, _, d in H.edges(data=True))
    assert weights == [(1, 0), (2, 7)]
    assert nx.is_isomorphic(G, H)
    with pytest.raises(ValueError):
        doc._add_graph([(b"x", None, None, None, None, None, False)], [(0, 1, None, None)])


def random_graph(rng, n, m):
    pairs = list(itertools.combinations(range(n), 2))
    return nx.Graph(rng.sample(pairs, min(m, len(pairs))))


def test_components_match_networkx():
    rng = random.Random(3)
    for _ in range(30):
        G = random_graph(rng, 30, rng.randint(5, 40))
        G.add_nodes_from(range(30))
        ours = arborix.components(G)
        assert sorted(map(sorted, ours)) == sorted(map(sorted, nx.connected_components(G)))
        place = {v: i for i, v in enumerate(G)}
        firsts = [place[c[0]] for c in ours]
        assert firsts == sorted(firsts) and all(place[c[0]] == min(map(place.get, c)) for c in ours)
        doc_ids = arborix.components(arborix.from_networkx(G))
        assert sorted(map(len, doc_ids)) == sorted(map(len, ours))
    with pytest.raises(arborix.ArborixError, match="The graph is not undirected."):
        arborix.components(nx.DiGraph([(0, 1)]))


def test_planarity_matches_networkx():
    rng = random.Random(8)
    seen = set()
    for _ in range(150):
        n = rng.randint(5, 12)
        G = random_graph(rng, n, rng.randint(n, 3 * n - 4))
        expected = nx.check_planarity(G)[0]
        assert arborix.is_planar(G) == expected
        seen.add(expected)
    assert seen == {True, False}
    assert arborix.is_planar(arborix.from_networkx(nx.complete_graph(5))) is False
    assert arborix.is_planar(nx.grid_2d_graph(20, 20)) is True
    parallel = arborix.from_networkx(nx.MultiGraph([(0, 1), (0, 1), (1, 2)]))
    with pytest.raises(arborix.ArborixError, match="The graph is not simple."):
        arborix.is_planar(parallel)
    with pytest.raises(arborix.ArborixError, match="The graph is not simple."):
        arborix.is_planar(parallel, certificate=True)


def crossing(G, orders, levels):
    pos = {v: i for order in orders.values() for i, v in enumerate(order)}
    gaps = {}
    for a, b in G.edges():
        if levels[a] > levels[b]:
            a, b = b, a
        gaps.setdefault(levels[a], []).append((pos[a], pos[b]))
    return any((a1 - a2) * (b1 - b2) < 0 for es in gaps.values() for (a1, b1), (a2, b2) in itertools.combinations(es, 2))


def test_level_planarity():
    G = nx.Graph([(0, 2), (0, 3), (1, 2), (1, 3)])
    assert arborix.is_level_planar(G, {0: 0, 1: 0, 2: 1, 3: 1}) == (False, {})
    # The same K2,2 with one pair split over two levels can be drawn.
    planar, orders = arborix.is_level_planar(G, {0: 0, 1: 0, 2: 1, 3: 2})
    assert planar and sorted(orders) == [0, 1, 2]
    rng = random.Random(4)
    for _ in range(40):
        tree = nx.from_prufer_sequence([rng.randrange(12) for _ in range(10)])
        depth = nx.single_source_shortest_path_length(tree, 0)
        planar, orders = arborix.is_level_planar(tree, depth)
        assert planar and not crossing(tree, orders, depth)
        assert sorted(v for o in orders.values() for v in o) == sorted(tree)
    with pytest.raises(arborix.ArborixError, match="There are edges between vertices on the same level."):
        arborix.is_level_planar(nx.path_graph(2), {0: 1, 1: 1})
    doc = arborix.open(str(EXAMPLES / "level-graph.lxd"))
    planar, orders = arborix.is_level_planar(doc)
    assert planar and sorted(v for o in orders.values() for v in o) == sorted(v["id"] for v in doc.vertices())


def test_crossings():
    doc = arborix.open(str(EXAMPLES / "level-graph.lxd"))
    assert arborix.count_crossings(doc)["total"] == 4  # as the status bar shows it
    G = arborix.to_networkx(doc)
    assert arborix.count_crossings(G)["total"] == 4
    square = nx.Graph([(0, 2), (1, 3)])
    pos = {0: (0, 0), 1: (100, 0), 2: (100, 100), 3: (0, 100)}
    assert arborix.count_crossings(square, pos) == {"total": 1, 1: 1}
    nx.set_edge_attributes(square, {(0, 2): 2, (1, 3): 3}, "color")
    assert arborix.count_crossings(square, pos) == {"total": 0}


def test_random_trees_repeat_and_are_trees():
    for method in ("labeled", "rooted", "free-labeled", "free-rooted", "wilf"):
        # The rejection samplers slow down quickly with n; 7 keeps them fast.
        a = arborix.random_tree(7, method, seed=42)
        b = arborix.random_tree(7, method, seed=42)
        assert fields(a) == fields(b)
        T = arborix.to_networkx(a)
        assert T.number_of_nodes() == 7 and nx.is_tree(T)
    with pytest.raises(ValueError):
        arborix.random_tree(2, "labeled")
    with pytest.raises(ValueError):
        arborix.random_tree(10, "prufer")


def test_classification_leaves_the_document_alone():
    doc = arborix.open(str(EXAMPLES / "ulp-trees.lxd"))
    before = fields(doc)
    counts = arborix.classify_tree(doc)
    assert counts["trees"] == counts["components"] == 2
    assert counts["caterpillars"] + counts["radius2_stars"] + counts["spiders"] == 2
    assert counts["text"]
    assert fields(doc) == before
    G = nx.union(nx.path_graph(6), nx.star_graph(4), rename=("p", "s"))
    G.add_edges_from([("s1", "x1"), ("s2", "x2"), ("s3", "x3"), ("s4", "x4")])
    G.add_edges_from(nx.cycle_graph(["c0", "c1", "c2"]).edges())
    classes = [c for _, c in arborix.classify_tree(G)]
    assert classes == ["caterpillar", "radius-2 star", "not a tree"]


def test_render(tmp_path):
    doc = arborix.open(str(EXAMPLES / "triangle-and-path.lxd"))
    arborix.render(doc, str(tmp_path / "g.png"))
    arborix.render(doc, str(tmp_path / "g.svg"), guides=True)
    assert (tmp_path / "g.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    assert b"<svg" in (tmp_path / "g.svg").read_bytes()
    with pytest.raises(ValueError):
        arborix.render(doc, str(tmp_path / "g.bmp"))


def test_threads_share_the_core():
    # Element ids come from one counter; calls from several threads must still give every
    # element its own id and every thread the verdicts it gets alone.
    import threading

    results, errors = [], []

    def work(seed):
        try:
            for i in range(20):
                doc = arborix.random_tree(8, "labeled", seed=seed * 100 + i)
                results.append([v["id"] for v in doc.vertices()])
                assert arborix.is_planar(nx.complete_graph(5)) is False
        except Exception as e:  # noqa: BLE001 - reported below
            errors.append(e)

    threads = [threading.Thread(target=work, args=(s,)) for s in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors
    ids = [i for r in results for i in r]
    assert len(results) == 80 and len(ids) == len(set(ids))
