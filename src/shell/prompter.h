// Everything the studio asks of the user or of the desktop: message boxes, the password prompt,
// file dialogs, modal dialogs and opening web pages or files with the desktop's programs. The main
// window reaches the user only through this interface, so window tests answer with scripted replies
// instead of clicking, and nothing in a test opens a browser.
//
// It is the project layer's Prompter too, so the project reader and writer use the same answers.
#pragma once

#include "project/prompter.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QDialog;
class QWidget;

namespace shell {

using project::MessageIcon;

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

struct FileDialogRequest {
    QString title;
    QString filter; // Qt filter text: "Lumeni Zarerud (*.lmb);;*.*"
    QString defaultSuffix;
    bool overwritePrompt = false;
};

class Prompter : public project::Prompter {
public:
    // A message box. Texts arrive ready to show (looked up with lang(), which expands %n).
    virtual BoxAnswer ask(const QString& text, const QString& caption, MessageIcon icon,
                          BoxButtons buttons) = 0;
    void message(const QString& text, const QString& caption, MessageIcon icon)
    {
        ask(text, caption, icon, BoxButtons::Ok);
    }

    // The file dialogs: a chosen path, or empty when cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;

    // Shows a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int execDialog(QDialog& dialog) = 0;

    // Hands a web address or a local file to the desktop; false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;

    // Starts a program without waiting for it (the external tools).
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;

    // project::Prompter, for the project reader and writer.
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    std::string askPassword() override;

    // The password prompt the reader uses. The studio sets it to its TFormPassword.
    std::function<QString()> passwordPrompt;
};

// The real dialogs.
class DesktopPrompter : public Prompter {
public:
    explicit DesktopPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    BoxAnswer ask(const QString& text, const QString& caption, MessageIcon icon, BoxButtons buttons) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    int execDialog(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;

private:
    QWidget* m_parent;
};

// Expands path macros in a text shown to the user.
QString expandMacros(const QString& text);
// A message text by key in the current language (see platform::GetLangString), with %s and %d
// filled in order.
QString lang(const char* key, const QStringList& args = {});
QString lang(const char* key, const char* english, const QStringList& args = {});

} // namespace shell
