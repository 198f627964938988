#pragma once
// The experiments of the Algorithms > Experiments submenu that need windows of their
// own: "Level Assignments of the Drawing..." and "ULP Census...".

class CLattixApp;
class CLattixDoc;

void OnLevelAssignmentsOfDrawing(CLattixApp& app, CLattixDoc& doc);
void OnUlpCensus(CLattixApp& app);
