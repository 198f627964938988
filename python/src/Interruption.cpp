#include "Interruption.h"

#include <pybind11/pybind11.h>

#include <atomic>

namespace {

std::atomic<bool> g_requested{false};

extern "C" void NoteInterrupt(int) { g_requested.store(true); }

} // namespace

Interruption::Interruption() {
    // Python's own handler is only called on the main thread.
    pybind11::module_ t = pybind11::module_::import("threading");
    if (!t.attr("current_thread")().is(t.attr("main_thread")())) return;
    g_requested.store(false);
    struct sigaction action {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    m_active = sigaction(SIGINT, &action, &m_previous) == 0;
}

Interruption::~Interruption() {
    if (m_active) sigaction(SIGINT, &m_previous, nullptr);
}

bool Interruption::Requested() { return g_requested.load(std::memory_order_relaxed); }

void Interruption::Raise() const {
    if (!m_active || !g_requested.load()) return;
    g_requested.store(false);
    PyErr_SetNone(PyExc_KeyboardInterrupt);
    throw pybind11::error_already_set();
}
