#include "platform/Application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

// Lives until the process ends: windows may still exist when static objects go.
QApplication* application = nullptr;

// The standard buttons and dialogs speak the language LANG names when the toolkit has a
// translation for it, and the designer's own Japanese otherwise.
void LoadToolkitTranslation() {
    auto* translator = new QTranslator(application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString named = QString::fromLocal8Bit(qgetenv("LANG"));
    const bool loaded =
        (!named.isEmpty() && translator->load(QLocale(named), "qtbase", "_", folder)) ||
        translator->load("qtbase_ja", folder);
    if (loaded) {
        QApplication::installTranslator(translator);
    }
}

} // namespace

void StartApplication(int& argc, char** argv) {
    if (application != nullptr) {
        return;
    }
    application = new QApplication(argc, argv);
    LoadToolkitTranslation();
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
