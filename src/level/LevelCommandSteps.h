#pragma once
// Steps shared by the level planarity commands and the batch experiments.

class CLattixDoc;

// The active editor view shows tracks (horizontal guides, added to vertical ones' place)
// and locks vertices to them.
void PrepareLevelGuides(CLattixDoc& doc);

// After the command's opening checkpoint: makes the graph proper (asking first), rebuilds
// the work lists and refuses graphs that are not simple or are directed. False, with any
// message shown, when the command must stop.
bool PrepareLevelGraph(CLattixDoc& doc);
