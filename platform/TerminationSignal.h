#pragma once

// SIGINT and SIGTERM end the station as closing its window does: the message loop quits and the
// connection is closed on the way out. The signals are blocked in every thread and read from a
// descriptor instead, so that neither the embedded Firebird engine (which installs handlers of
// its own when a database is opened) nor an interrupted wait in one of its threads gets them.

// Call first thing in main, before any thread exists.
void blockTerminationSignals();
// Call once the application object exists.
void quitOnTerminationSignals();
