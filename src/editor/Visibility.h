#pragma once
// What a view shows: an edge when its colour is shown, a vertex unless it is a bend whose
// first edge is hidden. Elements an algorithm has hidden are never shown. Drawing, hit
// tests and the rubber band share these rules.

class CLattixView;
class CEdge;
class CVertex;

bool IsEdgeColorVisible(const CLattixView& view, const CEdge& e);
bool IsVertexVisible(const CLattixView& view, const CVertex& v);
