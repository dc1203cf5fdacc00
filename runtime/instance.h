// Single instance across processes.
#pragma once

// What a start finds when it looks for the window of a single-instance
// program.
enum class previous_instance {
  NONE,   // no window of the class: the caller opens its own
  FOUND,  // one is up and brought forward: the caller ends without a window
};

// Looks for a top-level window of the class. One that is found is brought
// forward; a minimised one is flashed until the user activates it.
// While one new instance waits on a minimised window it holds the mutex
// "<class>_RiVA"; a further new instance that finds it returns FOUND at
// once, leaving the window to it.
// Starts at the same moment take turns through the mutex "<class>_start":
// the start that goes on to open the window holds it for its whole run,
// and a start that finds it held waits (within a bound) for that window.
// When the window waited on goes away, the wait starts over: the window
// that another start opens meanwhile is found and brought forward, and
// only when there is none does this start open its own.
previous_instance activate_previous_instance(const char* class_name);

// Suffix of the waiting instance's mutex name.
constexpr const char INSTANCE_MUTEX_SUFFIX[] = "_RiVA";
// Suffix of the mutex held by the start whose window is up or on its way.
constexpr const char INSTANCE_TURN_SUFFIX[] = "_start";
// How long a start waits for the window of the start that holds the turn.
constexpr unsigned INSTANCE_TURN_BOUND_MS = 10000;
constexpr unsigned INSTANCE_TURN_POLL_MS = 20;
// Pause between flashes while waiting on a minimised window.
constexpr unsigned INSTANCE_FLASH_PAUSE_MS = 450;
