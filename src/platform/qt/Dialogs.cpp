#include "platform/Dialogs.h"

#include "platform/qt/WindowRegistry.h"

#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

MessageBoxResponder messageBoxResponder;
FileDialogResponder fileDialogResponder;

QWidget* OwnerWidget(WindowHandle owner) {
    const WindowEntry* entry = FindWindowEntry(owner);
    return entry != nullptr && entry->outer != nullptr ? entry->outer->window() : nullptr;
}

// "Course(*.cus)" already ends in its pattern; a text without one gets it appended.
QString NameFilter(const FileFilter& filter) {
    const std::string suffix = "(" + filter.pattern + ")";
    const bool hasPattern =
        filter.text.size() >= suffix.size() &&
        filter.text.compare(filter.text.size() - suffix.size(), suffix.size(), suffix) == 0;
    const std::string text = hasPattern ? filter.text : filter.text + " " + suffix;
    return QString::fromStdString(text);
}

} // namespace

int MessageBox(WindowHandle owner, std::string_view text, std::string_view title,
               MessageBoxButtons buttons) {
    if (messageBoxResponder) {
        return messageBoxResponder(text, title, buttons);
    }
    QMessageBox box(OwnerWidget(owner));
    box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (buttons == MessageBoxButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == MessageBoxButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    case QMessageBox::Cancel:
        return AnswerCancel;
    default:
        return AnswerOk;
    }
}

std::optional<std::string> ChooseFileName(WindowHandle owner, const FileDialogRequest& request) {
    if (fileDialogResponder) {
        return fileDialogResponder(request);
    }
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << NameFilter(filter);
    }
    QFileDialog dialog(OwnerWidget(owner));
    dialog.setDirectory(QString::fromStdString(request.initialDirectory));
    dialog.setNameFilters(filters);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(request.mode == FileDialogMode::Save ? QFileDialog::AcceptSave
                                                              : QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

void SetMessageBoxResponder(MessageBoxResponder responder) {
    messageBoxResponder = std::move(responder);
}

void SetFileDialogResponder(FileDialogResponder responder) {
    fileDialogResponder = std::move(responder);
}

} // namespace platform
