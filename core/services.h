// Process-wide services: the exit-callback list and the end steps that run when the tool ends,
// normally or through a fatal report.
#pragma once

#include <cstdint>

namespace dorvane {

using ExitCallback = void (*)();

// Appends the routine to the exit-callback list unless it is there already.
void RegisterExitCallback(ExitCallback routine);

// Empties the exit-callback list without calling anything (the fatal report does this).
void ClearExitCallbacks();

// The number of routines in the exit-callback list.
int32_t ExitCallbackCount();

// The routines of start-up that EndServices runs to give back what it acquired: the first
// releases the window descriptions before the exit callbacks run, the second everything else
// (the window classes) after them. Each is called at most once; either may be null.
void SetServiceReleasers(ExitCallback descriptions, ExitCallback rest);

// True once EndServices has begun.
bool ServicesEnding();

// The end steps: marks the services as ending, releases the window descriptions, calls the
// exit callbacks once each in order of registration, empties the list and releases the rest. code
// is the exit code the process is about to end with; it is informational.
void EndServices(int32_t code);

}  // namespace dorvane
