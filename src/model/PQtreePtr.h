#pragma once
// Snapshots of PQ-trees are owned by whoever runs the test (the document, or a caller of
// the document-free replay); the planarity code, which defines their type, hands each
// snapshot over with the way to destroy it.

#include <memory>

class CPQtree;

struct PQtreeDeleter {
    void (*destroy)(CPQtree*);
    void operator()(CPQtree* tree) const { destroy(tree); }
};
using PQtreePtr = std::unique_ptr<CPQtree, PQtreeDeleter>;
