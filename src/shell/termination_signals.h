// Ends the event loop on SIGTERM, SIGINT and SIGHUP, so that a studio stopped by the session or from
// a terminal still runs its shutdown and removes its temporary files.
#pragma once

namespace shell {

// Call first thing in main: from then on a termination signal is only recorded, so the process
// never dies half-started with its temporary folder left behind.
void catchTerminationSignals();
// Call once, after the QCoreApplication exists: a recorded or later signal ends the event loop.
void quitOnTerminationSignals();
// A termination signal arrived (the event loop may not have been running yet to end).
bool terminationRequested();

} // namespace shell
