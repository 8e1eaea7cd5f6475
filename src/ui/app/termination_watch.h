#pragma once
// The end of the program on SIGTERM, SIGINT or SIGHUP. The signal handler
// only wakes the interface thread (through `wakeFd`) and a watching thread.
// The interface thread ends the program as a session end does; when it is
// busy with a long operation and has not ended the process within the grace
// time, the watching thread writes out the recovery journals and ends the
// process itself.

#include <functional>

namespace kiv {

// Installs the handlers once. `wakeFd` is written one byte per signal.
void installTerminationHandlers(int wakeFd);
// Whether the watching thread may end the process (the real program: yes;
// a test that raises signals in its own process: no, it only stops
// watching once the interface thread took the signal up).
void setTerminationEndsProcess(bool on);
// The interface thread took the signal up.
void terminationTakenUp();
// What to do before a forced end (write out the journals); may be called
// on the watching thread. Cleared with an empty function.
void setLastWords(std::function<void()> words);

inline constexpr int kTerminationGraceMs = 700;

}  // namespace kiv
