#pragma once
// Ctrl-C during a long run. The run holds no interpreter lock, so Python cannot see the
// signal until it ends: while an Interruption lasts, SIGINT only sets a flag that the run's
// progress reads, and Raise turns it into KeyboardInterrupt afterwards. Only the main
// thread receives Python's signals, so elsewhere it does nothing.

#include <csignal>

#include "model/Platform.h"

class Interruption {
public:
    // Made and ended with the interpreter lock held.
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    static bool Requested();
    // Throws KeyboardInterrupt when Ctrl-C came during the run.
    void Raise() const;

private:
    bool m_active = false;
    struct sigaction m_previous {};
};

// Progress that asks the run to stop once Ctrl-C came.
class InterruptionProgress : public IProgress {
public:
    bool Update(std::int64_t) override { return !Interruption::Requested(); }
};
