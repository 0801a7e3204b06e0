#include "platform/Dialogs.h"

#include "platform/qt/WindowRegistry.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

namespace {

MessageBoxResponder messageBoxResponder;
FileDialogResponder fileDialogResponder;
FormResponder formResponder;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The form: its fields in a column, the check's words under them, OK and Cancel below.
class FormDialog : public QDialog {
public:
    FormDialog(QWidget* owner, std::string_view title, const std::vector<FormField>& fields,
               FormCheck check)
        : QDialog(owner), check(std::move(check)) {
        setWindowTitle(FromUtf8(title));
        auto* form = new QFormLayout;
        for (const FormField& field : fields) {
            auto* line = new QLineEdit(FromUtf8(field.text), this);
            lines.push_back(line);
            form->addRow(FromUtf8(field.label), line);
        }
        problem = new QLabel(this);
        problem->setObjectName("problem");
        problem->setStyleSheet("color: #c00000");
        problem->setWordWrap(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &FormDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &FormDialog::reject);
        auto* column = new QVBoxLayout(this);
        column->addLayout(form);
        column->addWidget(problem);
        column->addWidget(buttons);
    }

    void accept() override {
        const std::string words = check(Texts());
        problem->setText(QString::fromStdString(words));
        if (words.empty()) {
            QDialog::accept();
        }
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const QLineEdit* line : lines) {
            texts.push_back(line->text().toStdString());
        }
        return texts;
    }

private:
    FormCheck check;
    std::vector<QLineEdit*> lines;
    QLabel* problem = nullptr;
};

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

// "*.glb" gives "glb"; a pattern of several extensions or none gives nothing.
QString PatternExtension(const std::string& pattern) {
    const bool single =
        pattern.rfind("*.", 0) == 0 && pattern.find_first_of(" ;*", 2) == std::string::npos;
    return single ? QString::fromStdString(pattern.substr(2)) : QString();
}

// The chosen filter's extension is added to a name typed without one, and follows the
// user's choice of filter.
void AddExtensionOfChosenFilter(QFileDialog& dialog, const std::vector<FileFilter>& filters) {
    const QStringList names = dialog.nameFilters();
    const auto choose = [&dialog, &filters, names](const QString& name) {
        const auto index = names.indexOf(name);
        if (index >= 0) {
            dialog.setDefaultSuffix(PatternExtension(filters[static_cast<size_t>(index)].pattern));
        }
    };
    choose(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, choose);
}

} // namespace

int MessageBox(WindowHandle owner, std::string_view text, std::string_view title,
               MessageBoxButtons buttons) {
    if (messageBoxResponder) {
        return messageBoxResponder(text, title, buttons);
    }
    QMessageBox box(OwnerWidget(owner));
    box.setWindowTitle(FromUtf8(title));
    box.setText(FromUtf8(text));
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
    dialog.setAcceptMode(request.mode == FileDialogMode::Open ? QFileDialog::AcceptOpen
                                                              : QFileDialog::AcceptSave);
    if (request.mode == FileDialogMode::SaveWithExtension) {
        AddExtensionOfChosenFilter(dialog, request.filters);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::vector<std::string>> EditForm(WindowHandle owner, std::string_view title,
                                                 const std::vector<FormField>& fields,
                                                 const FormCheck& check) {
    if (formResponder) {
        return formResponder(title, fields, check);
    }
    FormDialog dialog(OwnerWidget(owner), title, fields, check);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Texts();
}

struct ProgressBox::Box {
    QProgressDialog dialog;
    static constexpr int Steps = 1000;
};

ProgressBox::ProgressBox(WindowHandle owner, std::string_view title)
    : box(std::make_unique<Box>()) {
    QProgressDialog& dialog = box->dialog;
    dialog.setParent(OwnerWidget(owner), Qt::Dialog);
    dialog.setWindowTitle(FromUtf8(title));
    dialog.setWindowModality(Qt::NonModal);
    dialog.setRange(0, Box::Steps);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(0);
    dialog.show();
}

ProgressBox::~ProgressBox() = default;

void ProgressBox::Show(std::string_view text, double done) {
    box->dialog.setLabelText(FromUtf8(text));
    box->dialog.setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * Box::Steps));
}

bool ProgressBox::Cancelled() const {
    return box->dialog.wasCanceled();
}

void SetMessageBoxResponder(MessageBoxResponder responder) {
    messageBoxResponder = std::move(responder);
}

void SetFileDialogResponder(FileDialogResponder responder) {
    fileDialogResponder = std::move(responder);
}

void SetFormResponder(FormResponder responder) {
    formResponder = std::move(responder);
}

} // namespace platform
