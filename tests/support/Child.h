#ifndef VELMORA_TESTS_SUPPORT_CHILD_H
#define VELMORA_TESTS_SUPPORT_CHILD_H

#include <functional>
#include <string>

namespace testfs {

// How a forked child that ran a test's body ended.
struct ChildOutcome {
    std::string text;    // what body returned (as far as the child wrote it)
    bool exited = false; // it ended by _exit, with status 0 when its text was written whole
    int status = -1;     // the exit status, or the signal that ended it
};

// Runs body in a forked child and waits for it: calls that may hang, abort
// or change the process (limits, capabilities) cannot take the test with
// them. With seconds > 0 the child gets an alarm: a hang ends it by SIGALRM.
ChildOutcome RunInChild(const std::function<std::string()>& body, unsigned seconds = 0);

}  // namespace testfs

#endif
