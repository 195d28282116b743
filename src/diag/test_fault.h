// A switch for the tests of the error handling, with no menu: the environment variable
// ZORVANE_TEST_FAULT="<tag>:<mode>" makes the command whose logbook tag is <tag> ("SysInfo")
// fail before its action. Modes: "once" (an error that may be retried or skipped, the first time
// only), "always" (the same every time), "end" (an error that allows neither), "twice" (like
// "once", and a second error while the error window is built), "segv" (a crash).
#pragma once

namespace zrv {

class Commands;

// Wraps the chosen command's action; nothing when the variable is not set.
void installTestFault(Commands& commands);

// Whether the error window is to fail while it is built ("twice"); true only once.
bool testFaultInErrorWindow();

}  // namespace zrv
