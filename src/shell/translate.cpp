// TranslateForm walks the window's objects depth first in creation order and stops at other
// windows, so a dialog parented to the main window keeps its own section.
#include "shell/translate.h"

#include "platform/ini_file.h"
#include "platform/lang.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace shell {
namespace {

constexpr const char* kHintProperty = "lmbHint";
constexpr const char* kNoTranslateProperty = "lmbNoTranslate";

QString read(const platform::IniFile& ini, const std::string& section, const QString& key,
             const QString& current)
{
    auto v = ini.value(section, key.toStdString());
    if (!v || v->empty())
        return current;
    return QString::fromStdString(*v);
}

QTabWidget* tabOwner(QWidget* page)
{
    QWidget* stack = page->parentWidget();
    QTabWidget* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// Returns false for objects of classes that carry no caption.
bool translateOne(QObject* o, const platform::IniFile& ini, const std::string& section)
{
    const QString name = o->objectName();
    auto caption = [&](const QString& current) { return read(ini, section, name, current); };
    auto hint = [&] {
        const QString current = hintOf(o);
        const QString next = read(ini, section, name + ".hint", current);
        if (next != current)
            setHint(o, next);
    };

    if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(caption(menu->title()));
        const QString current = hintOf(menu->menuAction());
        const QString next = read(ini, section, name + ".hint", current);
        if (next != current)
            setHint(menu->menuAction(), next);
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(o)) {
        if (action->isSeparator() || action->menu())
            return false;
        action->setText(caption(action->text()));
        hint();
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(caption(button->text()));
        hint();
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(o)) {
        if (label->pixmap().isNull())
            label->setText(caption(label->text()));
        hint();
        return true;
    }
    if (auto* box = qobject_cast<QGroupBox*>(o)) {
        box->setTitle(caption(box->title()));
        hint();
        return true;
    }
    if (auto* dock = qobject_cast<QDockWidget*>(o)) {
        dock->setWindowTitle(caption(dock->windowTitle()));
        hint();
        return true;
    }
    if (auto* title = qobject_cast<DialogTitle*>(o)) {
        title->setTitle(caption(title->title()));
        return true;
    }
    if (auto* w = qobject_cast<QWidget*>(o)) {
        if (QTabWidget* tabs = tabOwner(w)) {
            const int index = tabs->indexOf(w);
            tabs->setTabText(index, caption(tabs->tabText(index)));
            const QString current = hintOf(w);
            const QString next = read(ini, section, name + ".hint", current);
            if (next != current) {
                setHint(w, next);
                tabs->setTabToolTip(index, shortHint(next));
            }
            return true;
        }
    }
    return false;
}

void walk(QObject* parent, const platform::IniFile& ini, const std::string& section)
{
    for (QObject* child : parent->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow() && !qobject_cast<QMenu*>(w))
            continue;
        if (!child->objectName().isEmpty()) {
            try {
                translateOne(child, ini, section);
            } catch (...) {
                // A component that cannot be translated keeps its texts; the others go on.
            }
        }
        walk(child, ini, section);
    }
}

platform::IniFile currentLanguage()
{
    platform::IniFile ini;
    const auto file = platform::currentLanguageFile();
    if (!file.empty())
        ini.load(file);
    return ini;
}

} // namespace

QString shortHint(const QString& hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString& hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void setHint(QObject* object, const QString& hint)
{
    object->setProperty(kHintProperty, hint);
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setToolTip(shortHint(hint).isEmpty() ? action->text() : shortHint(hint));
        action->setStatusTip(longHint(hint));
    } else if (auto* w = qobject_cast<QWidget*>(object)) {
        w->setToolTip(shortHint(hint));
        w->setStatusTip(longHint(hint));
    }
}

QString hintOf(const QObject* object)
{
    return object->property(kHintProperty).toString();
}

void setNotTranslated(QWidget* window)
{
    window->setProperty(kNoTranslateProperty, true);
}

void TranslateForm(QWidget* window, const platform::IniFile& language)
{
    if (!window || window->objectName().isEmpty() || window->property(kNoTranslateProperty).toBool())
        return;
    walk(window, language, window->objectName().toStdString());
}

void TranslateForm(QWidget* window)
{
    TranslateForm(window, currentLanguage());
}

void TranslateAllForms()
{
    const platform::IniFile ini = currentLanguage();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(w))
            continue;
        try {
            TranslateForm(w, ini);
        } catch (...) {
            // One window that fails keeps its texts; the others are translated.
        }
    }
}

} // namespace shell
