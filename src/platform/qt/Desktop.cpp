#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTextBrowser>
#include <QUrl>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

DesktopObserver observer;

// A plain viewer for when no browser takes the document.
void ShowHelpWindow(const QString& path) {
    auto* viewer = new QTextBrowser;
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setSource(QUrl::fromLocalFile(path));
    viewer->resize(720, 640);
    viewer->show();
}

} // namespace

void PlaySoundAsync(const std::string& path) {
    if (observer) {
        observer("sound", path);
        return;
    }
    static QSoundEffect* effect = new QSoundEffect;
    const QUrl source =
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    if (effect->source() != source) {
        effect->setSource(source);
    }
    effect->stop();
    effect->play();
}

void OpenHelp(const std::string& path) {
    if (observer) {
        observer("help", path);
        return;
    }
    const QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        ShowHelpWindow(file);
    }
}

int GetColorBits() {
    const char* named = std::getenv("VELMORA_COLOR_BITS");
    if (named == nullptr || *named == '\0') {
        return 16;
    }
    int bits = 0;
    const char* end = named + std::strlen(named);
    const auto [rest, error] = std::from_chars(named, end, bits);
    return error == std::errc() && rest == end ? bits : 16;
}

void SetDesktopObserver(DesktopObserver newObserver) {
    observer = std::move(newObserver);
}

} // namespace platform
