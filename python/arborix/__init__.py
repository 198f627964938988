"""Arborix from Python: documents, graph-drawing algorithms and networkx conversion.

Open a document with :func:`open`, or convert a networkx graph with :func:`from_networkx`.
The algorithm functions take either an :class:`Document` or a networkx graph. When the
program would show a message that ends the command ("The graph is not simple."), the
function raises :class:`ArborixError` with that text. Long runs release the interpreter
lock, and Ctrl-C ends them with KeyboardInterrupt.
"""

from ._arborix import ArborixError, Document, census, open, render
from . import _arborix

__all__ = [
    "ArborixError", "Document", "open", "to_networkx", "from_networkx", "components",
    "is_planar", "is_level_planar", "count_crossings", "random_tree", "experiment", "classify_tree", "render",
    "minimize_crossings", "census",
]

_VERTEX_FIELDS = ("name", "x", "y", "radius", "color", "track", "bend")


def _is_document(graph):
    return isinstance(graph, Document)


def _light(G):
    """Vertex list and index pairs of a networkx graph, in its node and edge order."""
    if G.is_directed():
        raise ArborixError("The graph is not undirected.")
    if G.is_multigraph() and G.number_of_edges() != len({frozenset(e) for e in G.edges()}):
        raise ArborixError("The graph is not simple.")
    nodes = list(G)
    index = {v: i for i, v in enumerate(nodes)}
    edges = [(index[a], index[b]) for a, b in G.edges()]
    return nodes, edges


def _light_any(graph):
    """Vertex names, index pairs and edge names of a document (vertex ids, edge ids) or of a
    networkx graph (nodes, node pairs)."""
    if not _is_document(graph):
        nodes, edges = _light(graph)
        return nodes, edges, [(nodes[a], nodes[b]) for a, b in edges]
    if graph.directed:
        raise ArborixError("The graph is not undirected.")
    nodes = [v["id"] for v in graph.vertices()]
    index = {v: i for i, v in enumerate(nodes)}
    rows = graph.edges()
    return nodes, [(index[e["source"]], index[e["target"]]) for e in rows], [e["id"] for e in rows]


def _levels_of(graph, nodes, levels):
    """The level of every vertex: from levels (vertex -> level), else the track numbers."""
    if levels is None:
        if _is_document(graph):
            tracks = {v["id"]: v["track"] for v in graph.vertices()}
            return [int(tracks[v]) for v in nodes]
        return [int(graph.nodes[v]["track"]) for v in nodes]
    return [int(levels[v]) for v in nodes]


def to_networkx(doc):
    """The document's graph as a networkx Graph (DiGraph when the document is directed).

    Nodes are vertex ids with the attributes name, x, y, radius, color, track and bend;
    edges carry id, color and weight. Parallel edges of the document keep the last one,
    as networkx's simple graphs do.
    """
    import networkx as nx

    G = nx.DiGraph() if doc.directed else nx.Graph()
    for v in doc.vertices():
        G.add_node(v["id"], **{k: v[k] for k in _VERTEX_FIELDS})
    for e in doc.edges():
        G.add_edge(e["source"], e["target"], id=e["id"], color=e["color"], weight=e["weight"])
    return G


def from_networkx(G, pos=None, tracks=None):
    """A new document from a networkx graph.

    Node attributes name, x, y, radius, color, track and bend are used when present; pos
    (node -> (x, y)) and tracks (node -> track number) override them. Nodes without
    coordinates go on a grid; a node without a name is named after itself. Edge attributes
    color (code 1..8, default 1, blue) and weight are used when present.
    """
    nodes = list(G)
    index = {v: i for i, v in enumerate(nodes)}
    rows = []
    for v in nodes:
        data = G.nodes[v]
        x, y = data.get("x"), data.get("y")
        if pos is not None and v in pos:
            x, y = pos[v]
        track = tracks[v] if tracks is not None and v in tracks else data.get("track")
        name = str(data.get("name", v)).encode("latin-1", "replace")
        rows.append((name, None if x is None else int(x), None if y is None else int(y),
                     data.get("radius"), data.get("color"),
                     None if track is None else int(track), bool(data.get("bend", False))))
    edges = [(index[a], index[b], d.get("color"), d.get("weight")) for a, b, d in G.edges(data=True)]
    doc = Document()
    doc._add_graph(rows, edges, G.is_directed())
    return doc


def components(graph):
    """The connected components, as lists, numbered by their first vertex.

    For a document: vertex ids in element order. For a networkx graph: its nodes.
    """
    if _is_document(graph):
        return _arborix._components_doc(graph)
    nodes, edges = _light(graph)
    return [[nodes[i] for i in group] for group in _arborix._components_light(len(nodes), edges)]


def is_planar(graph, certificate=False):
    """Whether the graph is planar, by the PQ-tree test of Algorithms > Planarity Testing.

    Raises ArborixError for a graph that is not simple or not undirected.

    With certificate=True, returns (planar, certificate) instead. For a planar graph the
    certificate maps every vertex (node, or vertex id for a document) to integer (x, y)
    grid coordinates of a straight-line drawing without crossings (y grows downwards).
    Otherwise it is {"kind": "K5" or "K3,3", "edges": [...], "branches": [...]}: the edges
    (node pairs, or edge ids for a document) of a subdivision of K5 or K3,3, and its
    vertices of degree 4 or 3.
    """
    if certificate:
        nodes, edges, names = _light_any(graph)
        planar, answer = _arborix._planar_certificate_light(len(nodes), edges)
        if planar:
            return True, {nodes[i]: tuple(p) for i, p in enumerate(answer)}
        kind, kept, branches = answer
        return False, {"kind": kind, "edges": [names[k] for k in kept], "branches": [nodes[v] for v in branches]}
    if _is_document(graph):
        return _arborix._is_planar_doc(graph)
    nodes, edges = _light(graph)
    return _arborix._is_planar_light(len(nodes), edges)


def is_level_planar(graph, levels=None, witness=False):
    """Whether the graph can be drawn with every vertex on its level and no crossing.

    Returns (planar, orders): orders maps each level holding vertices to its vertices from
    left to right in such a drawing (empty when not planar). levels maps every vertex
    (node, or vertex id for a document) to an integer; the track numbers are used when
    levels is None. Edges spanning several levels are routed through dummy vertices.

    With witness=True, a graph that is not level planar gives (False, edges) instead: a set
    of its edges (node pairs, or edge ids for a document) that cannot be drawn on their
    levels without a crossing and can once any one of them is removed.
    """
    if witness:
        nodes, edges, names = _light_any(graph)
        planar, kept = _arborix._level_witness_light(len(nodes), edges, _levels_of(graph, nodes, levels))
        if not planar:
            return False, [names[k] for k in kept]
    if _is_document(graph):
        planar, orders = _arborix._is_level_planar_doc(graph, levels)
        return planar, dict(orders)
    nodes, edges = _light(graph)
    if levels is None:
        levels = {v: graph.nodes[v]["track"] for v in nodes}
    planar, orders = _arborix._is_level_planar_light(len(nodes), edges, [int(levels[v]) for v in nodes])
    return planar, {level: [nodes[i] for i in order] for level, order in orders}


def classify_tree(graph, tracks=None):
    """The tree classification of ULP Recognition Mode.

    For a document: a dict with the counts components, trees, caterpillars, radius2_stars
    and spiders, and the status pane's text. For a networkx graph: a list of (component
    nodes, class) with class one of "caterpillar", "radius-2 star", "3-spider", "other
    tree" and "not a tree". tracks (node -> track) gives a level assignment; vertices
    sharing a track make a level-assigned tree, of which only caterpillars are classed.
    """
    if _is_document(graph):
        return _arborix._classify_tree_doc(graph)
    nodes, edges = _light(graph)
    levels = [int(tracks[v]) for v in nodes] if tracks is not None else []
    classes = _arborix._classify_light(len(nodes), edges, levels)
    return list(zip(components(graph), classes))


def count_crossings(graph, pos=None):
    """The crossings of a drawing, as the status bar counts them: edges of one colour that
    cross, never two with a common end. Returns {"total": n, code: count, ...} with a key
    for every colour code (1..8) that has crossings.

    A networkx graph is drawn at pos (node -> (x, y)) or its nodes' x and y attributes;
    its edges' color attributes are colour codes (blue, 1, when missing).
    """
    if _is_document(graph):
        return _arborix._count_crossings_doc(graph)
    nodes, edges = _light(graph)
    if pos is None:
        pos = {v: (graph.nodes[v]["x"], graph.nodes[v]["y"]) for v in nodes}
    centres = [(int(pos[v][0]), int(pos[v][1])) for v in nodes]
    codes = [int(d.get("color", 1)) for _, _, d in graph.edges(data=True)]
    return _arborix._count_crossings_light(len(nodes), edges, centres, codes)


def minimize_crossings(graph, levels=None, seed=0):
    """Orders of the vertices on their levels with few crossings, as Level Graphs > Minimize
    Crossings finds them: layer sweeps, exchanges and sifting from several starts, or the
    exact optimum where the levels are narrow enough to search completely.

    levels maps every vertex to an integer (the track numbers when None); no edge may join
    two vertices of one level. The same seed gives the same orders. Returns {"orders":
    {level: [vertices left to right]}, "crossings": n, "optimal": whether no orders have
    fewer}; crossings count the bends of edges spanning several levels as their own.
    """
    nodes, edges, _ = _light_any(graph)
    result = _arborix._minimize_crossings_light(len(nodes), edges, _levels_of(graph, nodes, levels), int(seed))
    result["orders"] = {level: [nodes[i] for i in order] for level, order in result["orders"]}
    return result


def experiment(graph, levels=None):
    """Every level assignment of a graph, tested for level planarity.

    experiment(8) and experiment(9) run the built-in batch experiments on their fixed trees
    and return the document (the summary is in doc.messages).

    For a document without bends or a networkx graph (up to 40 vertices): with levels
    None, each of the n! assignments of the levels 1..n, one vertex per level; with levels
    K, each assignment of the levels 1..K with no edge inside a level. Returns {"failing": n, "total": n,
    "failures": [{vertex: level}, ...] (the first 1000 in lexicographic order), "text": the
    count line}.
    """
    if isinstance(graph, int):
        return _arborix.experiment(graph)
    # Bends would count as vertices of their own; the menu command removes them first.
    if _is_document(graph) and any(v["bend"] for v in graph.vertices()):
        raise ArborixError("The graph has bends.")
    nodes, edges, _ = _light_any(graph)
    result = _arborix._experiment_light(len(nodes), edges, 0 if levels is None else int(levels))
    result["failures"] = [dict(zip(nodes, row)) for row in result["failures"]]
    return result


def random_tree(n, method="labeled", seed=None, max_attempts=0, as_networkx=False):
    """A random tree on n vertices (3 to 1000), laid out as the Random Generators menu lays
    it out: a new document, or with as_networkx=True a networkx Graph.

    method: "labeled" (Pruefer sequence), "rooted" (RANRUT), "free-labeled", "free-rooted"
    (rejection from those) or "wilf". A seed (0 to 4294967295) makes a run repeat exactly,
    and gives the same tree either way; max_attempts bounds the rejection samplers (0: no
    bound). The networkx graph's nodes are the vertex names (their track numbers, 1..n)
    with the attributes x, y (on a 30-pixel grid), track and color.
    """
    if not as_networkx:
        return _arborix.random_tree(n, method, seed, max_attempts)
    import networkx as nx

    tree = _arborix._random_tree_light(n, method, seed, max_attempts)
    G = nx.Graph()
    for column, row, track, color in zip(tree["columns"], tree["rows"], tree["tracks"], tree["colors"]):
        G.add_node(track, x=30 * column, y=30 * row, track=track, color=color)
    names = tree["tracks"]
    G.add_edges_from((names[a], names[b]) for a, b in tree["edges"])
    return G
