#pragma once
// The parts of the arborix module, each adding its names.

#include <pybind11/pybind11.h>

#include <mutex>

// The core keeps process-wide state (the element id counter), so one call at a time runs
// in it. Long calls let other Python threads run meanwhile: they give up the interpreter
// lock first and take it back only after leaving the core, so that no thread ever waits
// for the interpreter while it holds the core.
std::mutex& CoreMutex();

struct CoreCall {
    pybind11::gil_scoped_release interpreter;
    std::lock_guard<std::mutex> core{CoreMutex()};
};

// For short calls that keep the interpreter lock (reading a document into Python objects).
struct CoreRead {
    std::lock_guard<std::mutex> core{CoreMutex()};
};

void BindDocument(pybind11::module_& m);
void BindAlgorithms(pybind11::module_& m);
void BindAnswers(pybind11::module_& m);
