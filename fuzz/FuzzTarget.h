#ifndef VELMORA_FUZZ_FUZZTARGET_H
#define VELMORA_FUZZ_FUZZTARGET_H

#include <string>

// What the three libFuzzer entry points share.
namespace fuzztarget {

// Moves the process into the test sandbox before anything else touches a
// fixed path, then prepares the fixtures (fuzz/FuzzEnvironment.h). Exits
// the process when the sandbox cannot be entered: fuzzing must never reach
// the host's /etc/samba.
void Enter();

// A broken promise is a finding: prints it and aborts, so that libFuzzer
// saves the input and stops with a non-zero status.
void Require(const std::string& failure);

}  // namespace fuzztarget

#endif
