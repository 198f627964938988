"""Arborix from Python: documents, graph-drawing algorithms and networkx conversion.

Open a document with :func:`open`, or convert a networkx graph with :func:`from_networkx`.
The algorithm functions take either an :class:`Document` or a networkx graph. When the
program would show a message that ends the command ("The graph is not simple."), the
function raises :class:`ArborixError` with that text.
"""

from ._arborix import ArborixError, Document, experiment, open, random_tree, render
from . import _arborix

__all__ = [
    "ArborixError", "Document", "open", "to_networkx", "from_networkx", "components",
    "is_planar", "is_level_planar", "count_crossings", "random_tree", "experiment", "classify_tree", "render",
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

    Raises ArborixError for a graph that is not simple or not undirected. certificate=True
    (the Kuratowski edges or a planar drawing) is not offered yet.
    """
    if certificate:
        raise NotImplementedError("is_planar: certificates (Kuratowski edges, planar drawings) are not offered yet")
    if _is_document(graph):
        return _arborix._is_planar_doc(graph)
    nodes, edges = _light(graph)
    return _arborix._is_planar_light(len(nodes), edges)


def is_level_planar(graph, levels=None):
    """Whether the graph can be drawn with every vertex on its level and no crossing.

    Returns (planar, orders): orders maps each level holding vertices to its vertices from
    left to right in such a drawing (empty when not planar). levels maps every vertex
    (node, or vertex id for a document) to an integer; a document uses its track numbers
    when levels is None. Edges spanning several levels are routed through dummy vertices.
    """
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
