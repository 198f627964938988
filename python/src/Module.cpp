#include <pybind11/pybind11.h>

#include "Bindings.h"
#include "DocumentHandle.h"

PYBIND11_MODULE(_arborix, m) {
    m.doc() = "The compiled core of the arborix package.";
    pybind11::register_exception<ArborixError>(m, "ArborixError", PyExc_RuntimeError);
    BindDocument(m);
    BindAlgorithms(m);
    BindAnswers(m);
}
