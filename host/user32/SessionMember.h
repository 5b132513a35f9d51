// The process's membership in the session of its prefix (prefix/Sessions.h). GUI thread.
#pragma once

namespace host::user32 {

// Registers the process in the session of the current prefix, once; a process whose current
// prefix changed since moves its registration there. Called when a top-level window is made:
// from then on the program hears WM_QUERYENDSESSION and WM_ENDSESSION when its session ends.
void join_session();

} // namespace host::user32
