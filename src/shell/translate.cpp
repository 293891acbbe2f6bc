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
#include <functional>
#include <optional>

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
    return QString::fromStdString(platform::clipLookup(std::move(*v)));
}

QTabWidget* tabOwner(QWidget* page)
{
    QWidget* stack = page->parentWidget();
    QTabWidget* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// What a translatable component shows: its caption (read and written) and the object that holds
// its hint. Components of other classes give nothing.
struct Texts {
    std::function<QString()> caption;
    std::function<void(const QString&)> setCaption;
    QObject* hintHolder = nullptr; // null: no hint
    std::function<void(const QString&)> afterHint;
};

std::optional<Texts> textsOf(QObject* o)
{
    if (auto* menu = qobject_cast<QMenu*>(o))
        return Texts{[menu] { return menu->title(); },
                     [menu](const QString& t) { menu->setTitle(t); },
                     menu->menuAction(),
                     {}};
    if (auto* action = qobject_cast<QAction*>(o)) {
        if (action->isSeparator() || action->menu())
            return std::nullopt;
        return Texts{[action] { return action->text(); },
                     [action](const QString& t) { action->setText(t); },
                     action,
                     {}};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(o))
        return Texts{[button] { return button->text(); },
                     [button](const QString& t) { button->setText(t); },
                     button,
                     {}};
    if (auto* label = qobject_cast<QLabel*>(o)) {
        return Texts{[label] { return label->pixmap().isNull() ? label->text() : QString(); },
                     [label](const QString& t) {
                         if (label->pixmap().isNull())
                             label->setText(t);
                     },
                     label,
                     {}};
    }
    if (auto* box = qobject_cast<QGroupBox*>(o))
        return Texts{[box] { return box->title(); }, [box](const QString& t) { box->setTitle(t); }, box, {}};
    if (auto* dock = qobject_cast<QDockWidget*>(o))
        return Texts{[dock] { return dock->windowTitle(); },
                     [dock](const QString& t) { dock->setWindowTitle(t); },
                     dock,
                     {}};
    if (auto* title = qobject_cast<DialogTitle*>(o))
        return Texts{[title] { return title->title(); },
                     [title](const QString& t) { title->setTitle(t); },
                     nullptr,
                     {}};
    if (auto* w = qobject_cast<QWidget*>(o)) {
        if (QTabWidget* tabs = tabOwner(w)) {
            return Texts{
                [tabs, w] { return tabs->tabText(tabs->indexOf(w)); },
                [tabs, w](const QString& t) { tabs->setTabText(tabs->indexOf(w), t); }, w,
                [tabs, w](const QString& hint) { tabs->setTabToolTip(tabs->indexOf(w), shortHint(hint)); }};
        }
    }
    return std::nullopt;
}

void translateOne(QObject* o, const platform::IniFile& ini, const std::string& section)
{
    const std::optional<Texts> texts = textsOf(o);
    if (!texts)
        return;
    const QString name = o->objectName();
    const QString current = texts->caption();
    const QString next = read(ini, section, name, current);
    if (next != current)
        texts->setCaption(next);
    if (texts->hintHolder) {
        const QString hint = hintOf(texts->hintHolder);
        const QString nextHint = read(ini, section, name + ".hint", hint);
        if (nextHint != hint) {
            setHint(texts->hintHolder, nextHint);
            if (texts->afterHint)
                texts->afterHint(nextHint);
        }
    }
}

void collect(QObject* parent, std::vector<std::pair<QString, QString>>& out)
{
    for (QObject* child : parent->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow() && !qobject_cast<QMenu*>(w))
            continue;
        if (!child->objectName().isEmpty()) {
            if (const std::optional<Texts> texts = textsOf(child)) {
                const QString caption = texts->caption();
                if (!caption.isEmpty())
                    out.emplace_back(child->objectName(), caption);
                if (texts->hintHolder && !hintOf(texts->hintHolder).isEmpty())
                    out.emplace_back(child->objectName() + ".hint", hintOf(texts->hintHolder));
            }
        }
        collect(child, out);
    }
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

std::vector<std::pair<QString, QString>> windowTexts(QWidget* window)
{
    std::vector<std::pair<QString, QString>> out;
    if (window && !window->objectName().isEmpty())
        collect(window, out);
    return out;
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
