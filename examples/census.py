"""The census of unlabeled level planar trees with 8 vertices.

    PYTHONPATH=build/python python3 examples/census.py
"""

import arborix

census = arborix.census(8)
for tree in census["trees"]:
    print(tree["text"])
print(census["summary"])
