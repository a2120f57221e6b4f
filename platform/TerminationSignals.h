#pragma once
// SIGTERM and SIGINT end the Qt event loop the normal way (QCoreApplication::
// quit), so that everything built after it is torn down in order and the
// settings are written. A signal that arrives before the loop runs is kept
// and acted on once it does.
class QCoreApplication;

namespace platform {

// Call once, right after the application object exists.
void QuitOnTerminationSignals(QCoreApplication& app);

}  // namespace platform
