// The desktop side of the studio's questions: Qt message boxes and file dialogs, QDesktopServices.
#include "shell/prompter.h"

#include "platform/lang.h"
#include "platform/path_macros.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

namespace shell {

QString expandMacros(const QString& text)
{
    return QString::fromStdString(platform::ExpandPathMacros(text.toStdString()));
}

namespace {

QString fill(std::string pattern, const QStringList& args)
{
    std::vector<std::string> values;
    values.reserve(args.size());
    for (const QString& a : args)
        values.push_back(a.toStdString());
    // formatMessage takes an initializer list; fill one placeholder at a time instead.
    std::string result;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char c = pattern[i + 1];
            if (c == '%') {
                result += '%';
                ++i;
                continue;
            }
            if ((c == 's' || c == 'd' || c == 'u') && next < values.size()) {
                result += values[next++];
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return QString::fromStdString(result);
}

} // namespace

QString lang(const char* key, const QStringList& args)
{
    return fill(platform::GetLangString(key), args);
}

QString lang(const char* key, const char* english, const QStringList& args)
{
    return fill(platform::GetLangString(key, english), args);
}

void Prompter::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    ask(QString::fromStdString(text), QString::fromStdString(caption), icon, BoxButtons::Ok);
}

std::string Prompter::askPassword()
{
    return passwordPrompt ? passwordPrompt().toStdString() : std::string();
}

BoxAnswer DesktopPrompter::ask(const QString& text, const QString& caption, MessageIcon icon,
                               BoxButtons buttons)
{
    QMessageBox box(m_parent ? m_parent : QApplication::activeWindow());
    // Texts come from the language lookup with their macros already expanded; the values filled
    // into them (file names) are shown as they are, never expanded a second time.
    box.setWindowTitle(caption);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (icon) {
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case BoxButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case BoxButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case BoxButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
    default:
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
}

QString DesktopPrompter::openFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, QString(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DesktopPrompter::saveFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, QString(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

int DesktopPrompter::execDialog(QDialog& dialog)
{
    return dialog.exec();
}

bool DesktopPrompter::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopPrompter::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace shell
