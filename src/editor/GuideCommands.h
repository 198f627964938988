#pragma once
// Commands of one editor view: its guides, snapping and locking, and track colours.

class CLattixDoc;
class CLattixView;

void OnShowGrid(CLattixDoc& doc, CLattixView& view);
void OnShowTracks(CLattixDoc& doc, CLattixView& view);
void OnSnapToGuides(CLattixDoc& doc, CLattixView& view);
void OnLockToTracks(CLattixDoc& doc, CLattixView& view);
void OnGuidesPreferences(CLattixDoc& doc, CLattixView& view);
void OnRemoveTrackColor(CLattixDoc& doc, CLattixView& view);
void OnRemoveAllTrackColors(CLattixDoc& doc, CLattixView& view);
void OnColorTracksRandomly(CLattixDoc& doc, CLattixView& view);

// Check marks of the view toolbar buttons.
bool IsGridShown(const CLattixView& view);
bool AreTracksShown(const CLattixView& view);
bool IsSnapChecked(const CLattixView& view);
bool IsLockChecked(const CLattixView& view);
