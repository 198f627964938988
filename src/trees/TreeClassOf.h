#pragma once
// The ULP class of a tree given by its edges, decided by the same tests as ULP Recognition
// Mode, in the same order (caterpillar first, then radius-2 star, then 3-spider).

#include <string_view>
#include <utility>
#include <vector>

enum class UlpTreeClass { Caterpillar, Radius2Star, Spider3, None };

// Must run on the thread that owns the element ids: the tests work on a scratch document.
UlpTreeClass ClassifyTree(int n, const std::vector<std::pair<int, int>>& edges);

// "caterpillar", "radius-2 star", "3-spider" or "none".
std::string_view UlpTreeClassName(UlpTreeClass c);
