#pragma once
// Hit tests of the editor, in document coordinates.

#include "model/Geometry.h"

class CElement;
class CEdge;
class CVertex;
class CLattixDoc;
class CLattixView;

// Distance of (x, y) from the line through (x1, y1) and (x2, y2).
double PointLineDistance(double x, double y, double x1, double y1, double x2, double y2);
// The vertex rectangle (with its drag offset) contains the point.
bool HitsVertex(const CVertex& v, Point p);
// The point lies within `distance` of the line through the edge's ends and inside its
// bounding box, widened to about 3 units where it is narrower.
bool HitsEdge(const CEdge& e, Point p, double distance);

struct HitOptions {
    const CLattixView* visibleIn = nullptr; // only elements this view shows; null: all
    double edgeDistance = 3;
    bool edges = true;
};

// The last vertex hit in element order, or else the last edge hit, or null.
CElement* HitTestElements(const CLattixDoc& doc, Point p, const HitOptions& options);
// The first element hit in element order (vertices and edges alike), or null.
CElement* FirstElementHit(const CLattixDoc& doc, Point p, const HitOptions& options);
