// Work that arrives while a program is in the middle of a step (a chime or
// a page waits on the sound system or the clock, and that wait lets
// messages sent by other programs in). Every program holds it through this
// one mechanism: in the order it came, run once the step has ended, never
// run inside the step, never posted to the queue again (a full queue would
// refuse it), never lost. The list grows as it needs to and gives its
// memory back once empty; a program that cannot have the memory ends as
// after any failed allocation.
#pragma once

// Room for this many before the list first grows.
constexpr int HELD_STEP_ROOM = 64;

// The steps held, first in first out. All zero is an empty list.
struct held_list {
  int* ids;
  int room;
  int first;
  int count;
};

// Adds the step at the end.
void hold_step(held_list& list, int step);

// Takes the first step held into *step; false when none is.
bool next_held_step(held_list& list, int* step);

// No step of the program is merged (see held_steps).
constexpr int NO_MERGED_STEP = -1;

// One program's steps: how it runs them, and what is held while one runs.
struct held_steps {
  // Runs one step (a command id, a refresh): the program's own routine.
  void (*run)(int step);
  // True for a step that leaves the others free while it runs (one whose
  // modal box goes on running steps in its own loop); null when none does.
  bool (*leaves_others_free)(int step);
  // A step that needs no place in the list (one later run does the work of
  // them all): held any number of times it runs once, after every other
  // held step. NO_MERGED_STEP when the program has none.
  int merged_step;
  // Set while a step runs.
  bool busy;
  bool merged_wanted;
  held_list list;
};

// Runs the step, then every step held meanwhile in the order it came; or,
// while a step already runs, holds it. True when held.
bool run_step(held_steps& steps, int step);
