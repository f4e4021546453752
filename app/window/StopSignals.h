#pragma once

class QWidget;

// SIGTERM and SIGINT (a service manager, a kiosk script, Ctrl+C in the
// terminal) close `window` as its close button does: the instrument shuts
// down in order and the program ends with status 0. The signal handler only
// writes a byte to a pipe; the window closes from the event loop.
void closeOnStopSignals(QWidget& window);
