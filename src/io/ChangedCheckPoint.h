#pragma once
// Undo checkpoints at the cost of what changed, for commands that take many steps of a few
// elements each (the level planar drawing takes one per exchange of two vertices).

class CLattixDoc;
struct ChangedElements;

// Takes an undo checkpoint when only the elements noted in `changed` (and the document
// settings) can differ from the state of the last checkpoint taken through `changed`: their
// records are written again and patched into that state. The stored state is the same as
// CheckPoint's. The whole document is written instead the first time, after any other
// checkpoint, undo or redo, and when elements were added, deleted or reordered.
void CheckPointChanged(CLattixDoc& doc, ChangedElements& changed);
