#pragma once

namespace korvex::ui {

// Turns SIGINT and SIGTERM into an orderly quit of the event loop, so that Ctrl-C or a
// session logout still runs the destructors (the demo service stops, its folder goes).
// Call once, after the application object exists.
void quitOnSignals();

}  // namespace korvex::ui
