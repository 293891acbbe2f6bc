// Ends the event loop on SIGTERM, SIGINT and SIGHUP, so that a studio stopped by the session or from
// a terminal still runs its shutdown and removes its temporary files.
#pragma once

namespace shell {

// Call once, after the QCoreApplication exists.
void quitOnTerminationSignals();
// A termination signal arrived (the event loop may not have been running yet to end).
bool terminationRequested();

} // namespace shell
