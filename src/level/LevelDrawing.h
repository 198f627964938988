#pragma once
// The level planar drawing of one component, once its verdict is known.

#include <functional>

#include "level/ComponentExchangeGraph.h"

class CLattixDoc;
struct AlgorithmWorkspace;

// The verdict on a component, with orders that prove it when it is level planar.
struct ComponentVerdict {
    bool planar = false;
    bool vegPlanar = false; // what the vertex-exchange test said
    LevelOrders orders;
    bool cancelled = false; // during the exact search; `planar` then means nothing
};

// Decides a component by the vertex-exchange test, exact once no gap holds a cycle; for a
// level planar one also finds orders without crossings, read off the test's labels where
// they are transitive and from the exact method elsewhere.
// `progress` follows the exact search, when one runs (see ExactLevelPlanarity).
ComponentVerdict DecideLevelPlanarity(ComponentExchangeGraph& c, const std::function<bool(double)>& progress = {});

// The verdict alone, which needs no orders and so no search: the vertex-exchange test is
// exact once no gap holds a cycle (see LevelPlanarByEquations).
bool ComponentIsLevelPlanar(const ComponentExchangeGraph& c);

// Rearranges a level planar component by exchanges of vertices within their levels: the
// exchanges the vertex-exchange labels call for, then, should crossings remain (or should
// the test have been wrong), those that bring in the verdict's orders. Each exchange is an
// undo step of its own and, when animating, a visible step.
void DrawLevelPlanarComponent(CLattixDoc& doc, AlgorithmWorkspace& workspace, ComponentExchangeGraph& c,
                              const ComponentVerdict& verdict);
