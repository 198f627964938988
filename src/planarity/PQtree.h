#pragma once
// PQ-trees of the planarity test and their snapshots for the replay window.

class CPQtree {
public:
    virtual ~CPQtree() = default;
};
