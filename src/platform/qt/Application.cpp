#include "platform/Application.h"

#include <QApplication>
#include <QFont>

namespace platform {

void StartApplication(int& argc, char** argv) {
    if (QApplication::instance() != nullptr) {
        return;
    }
    new QApplication(argc, argv);
    // Debian has no alias for the user interface's MS Gothic face; IPAGothic has its
    // metrics.
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ　ゴシック"), "IPAGothic");
}

int RunMessageLoop() {
    return QApplication::exec();
}

void PostQuit(int exitCode) {
    QApplication::exit(exitCode);
}

void ProcessPendingEvents() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace platform
