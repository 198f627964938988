#pragma once
// The parts of the arborix module, each adding its names.

#include <pybind11/pybind11.h>

void BindDocument(pybind11::module_& m);
void BindAlgorithms(pybind11::module_& m);
