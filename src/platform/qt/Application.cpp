#include "platform/Application.h"

#include <QApplication>
#include <QFont>

namespace platform {

namespace {

// Lives until the process ends: windows may still exist when static objects go.
QApplication* application = nullptr;

} // namespace

void StartApplication(int& argc, char** argv) {
    if (application != nullptr) {
        return;
    }
    application = new QApplication(argc, argv);
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
