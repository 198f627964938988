#include "editor/Visibility.h"

#include "editor/ElementDrawing.h"
#include "model/DocView.h"

// The rules live with the drawing; hit tests and the rubber band ask them for a view.
bool IsEdgeColorVisible(const CLattixView& view, const CEdge& e) { return IsEdgeVisible(e, EdgeDisplay{view.m_showColor}); }

bool IsVertexVisible(const CLattixView& view, const CVertex& v) { return IsVertexVisible(v, EdgeDisplay{view.m_showColor}); }
