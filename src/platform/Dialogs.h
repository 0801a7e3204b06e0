#pragma once

#include "platform/Windows.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Modal message boxes, the open and save file dialogs and forms. Tests answer them through the
// responders instead of a person.
namespace platform {

// Yes is the default button (Enter) of the questions; Escape answers Cancel, or No.
enum class MessageBoxButtons { Ok, YesNoCancel, YesNo };
enum DialogAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

int MessageBox(WindowHandle owner, std::string_view text, std::string_view title,
               MessageBoxButtons buttons);

// SaveWithExtension saves too, and gives a name typed without an extension the one of the
// filter chosen in the dialog.
enum class FileDialogMode { Open = 1, Save = 2, SaveWithExtension = 3 };
struct FileFilter {
    std::string text;
    std::string pattern;
};
struct FileDialogRequest {
    FileDialogMode mode;
    std::string initialDirectory;
    std::vector<FileFilter> filters;
};
// The chosen file's absolute path; nothing when the user cancelled. The dialog adds no
// extension unless asked to and accepts a file that does not exist; the save dialog asks before it
// lets an existing file be chosen, so one mistyped name cannot replace another course.
std::optional<std::string> ChooseFileName(WindowHandle owner, const FileDialogRequest& request);

// A modal form of labelled one-line fields with OK and Cancel.
struct FormField {
    std::string label;
    std::string text; // what the line holds at first
};
// What is wrong with the typed texts, in words for the user; empty when they are fine.
using FormCheck = std::function<std::string(const std::vector<std::string>& texts)>;
// The texts as typed when OK was pressed and the check passed; nothing on Cancel. OK with
// texts the check refuses shows its words in the form, which stays open.
std::optional<std::vector<std::string>> EditForm(WindowHandle owner, std::string_view title,
                                                 const std::vector<FormField>& fields,
                                                 const FormCheck& check);

// A box over the owner showing how far work running meanwhile has come, with a Cancel
// button; the owner stays in use. Closing the box counts as Cancel. It goes with the
// object.
class ProgressBox {
public:
    ProgressBox(WindowHandle owner, std::string_view title);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // A line of text and the share of the work done, 0 to 1.
    void Show(std::string_view text, double done);
    [[nodiscard]] bool Cancelled() const;

private:
    struct Box;
    std::unique_ptr<Box> box;
};

using MessageBoxResponder =
    std::function<int(std::string_view text, std::string_view title, MessageBoxButtons buttons)>;
using FileDialogResponder =
    std::function<std::optional<std::string>(const FileDialogRequest& request)>;
using FormResponder = std::function<std::optional<std::vector<std::string>>(
    std::string_view title, const std::vector<FormField>& fields, const FormCheck& check)>;
// An empty function brings the real dialogs back.
void SetMessageBoxResponder(MessageBoxResponder responder);
void SetFileDialogResponder(FileDialogResponder responder);
void SetFormResponder(FormResponder responder);

} // namespace platform
