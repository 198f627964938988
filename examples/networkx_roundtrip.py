"""A networkx graph through a level planarity test and back.

    PYTHONPATH=build/python python3 examples/networkx_roundtrip.py
"""

import networkx as nx

import arborix

# A tree, its levels the distances from the root.
G = nx.balanced_tree(2, 3)
levels = nx.single_source_shortest_path_length(G, 0)

planar, orders = arborix.is_level_planar(G, levels)
print("level planar:", planar)

# Place every vertex on its track in the order found, make a document of it, and read it
# back into networkx with its positions and tracks.
pos = {v: (60 * (i + 1), 60 * (levels[v] + 1)) for order in orders.values() for i, v in enumerate(order)}
doc = arborix.from_networkx(G, pos=pos, tracks=levels)
doc.save("/tmp/roundtrip.lxd")
H = arborix.to_networkx(arborix.open("/tmp/roundtrip.lxd"))
print("same graph back:", nx.is_isomorphic(G, H))
print("tracks:", sorted(d["track"] for _, d in H.nodes(data=True)))
