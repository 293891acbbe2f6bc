// Translating windows from the language file: the section named after the window's component name
// (its object name) holds the caption of each named component under its name and its hint under
// name + ".hint". The current text is the default, so an empty or missing value keeps it.
//
// What counts as a caption: the text of buttons, check boxes, radio buttons and labels, the title
// of group boxes, menus, dockable panels and file dialogs, the text of tab pages and of menu and
// toolbar actions. Edits, lists and panels are not translated.
#pragma once

#include <QObject>
#include <QString>
#include <utility>
#include <vector>

class QWidget;

namespace platform {
class IniFile;
}

namespace shell {

// A file dialog's title as a named component, so that language sections can translate it.
class DialogTitle : public QObject {
    Q_OBJECT
public:
    DialogTitle(const QString& name, const QString& title, QObject* parent) : QObject(parent), m_title(title)
    {
        setObjectName(name);
    }
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

private:
    QString m_title;
};

// Hints in the "short|long" form: the short part is the tooltip, the long part goes to the status
// bar. A hint without "|" is both.
void setHint(QObject* object, const QString& hint);
QString hintOf(const QObject* object);
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

// Marks a window that TranslateAllForms leaves alone (the design form is the user's, not ours).
void setNotTranslated(QWidget* window);

void TranslateForm(QWidget* window);
void TranslateForm(QWidget* window, const platform::IniFile& language);
// Every top-level window with an object name.
void TranslateAllForms();

// The texts TranslateForm would look up in a window's section, as key and current text ("File1" and
// "&File", "File1.hint" …), in the same order; empty texts are left out. English.lng is made of them.
std::vector<std::pair<QString, QString>> windowTexts(QWidget* window);

} // namespace shell
