#pragma once
// SIGTERM and SIGINT end a program as its Exit command does, at any moment: inside a modal dialog
// of the start-up (the standard-user warning, the adapter chooser), during discovery, or in the
// running event loop. The handler only writes a byte to a pipe; the loop reads it, closes every
// modal dialog and leaves every running event loop.

class QApplication;

namespace kavo9 {

// Installs the handlers. `onStop` runs on the user-interface thread when a stop arrives (the
// program's own Exit); the loops are left after it.
void EndOnStopSignals(QApplication& app, void (*onStop)() = nullptr);

// Whether a stop signal has arrived. A program whose start-up is interrupted checks this before it
// enters its main event loop, which would otherwise run on.
bool StopRequested();

}  // namespace kavo9
