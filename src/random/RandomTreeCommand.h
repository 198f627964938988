#pragma once
// The frame shared by the five random tree commands: seed the generator from the tick
// count, ask for the size, add the tree, then checkpoint, mark modified, recount and repaint.

#include "random/RandomTreeGenerator.h"

class CLattixDoc;

//! Runs one random tree command on a document. Nothing changes unless a tree was added.
GenerateOutcome RunRandomTreeCommand(CLattixDoc& doc, RandomTreeMethod method, const RandomTreeOptions& options = {});
