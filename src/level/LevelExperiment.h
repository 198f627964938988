#pragma once
// The batch experiments of commands 32982 (a tree of 8 vertices) and 32983 (9 vertices).

class CLattixDoc;

enum class ExperimentMode {
    Fastest,          // passes whose undo steps cannot be reached are followed without the document
    EveryPassForReal, // every pass runs on the document
};

// The whole command: guides, the erase question, the tree, the passes, the summary.
void RunLevelExperiment(CLattixDoc& doc, int treeSize, ExperimentMode mode);
