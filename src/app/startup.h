#pragma once

class QApplication;
class QStringList;
class QPixmap;

// The entry point's sequence, kept out of main() so that tests run the code the application
// runs.
namespace startup {

// Scaling must be chosen before the application object exists.
void configureHighDpiScaling();
// Font, widget style and locale codec of the new application object, and the log: warnings
// only, unless the command line asks for --verbose (QT_LOGGING_RULES can also turn on the
// debug lines of the kv.* categories).
void configureApplication(QApplication& app);
void configureLogging(const QStringList& arguments);
// The splash background: the appearance's colour with transparent rounded corners.
QPixmap splashPixmap(bool dark);
// Settings, splash, model, main window and the device version selection, then the event loop.
// Returns the exit code; 0 when the user closes the device version selection.
int run(QApplication& app);

} // namespace startup
