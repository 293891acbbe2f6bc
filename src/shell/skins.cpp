// The colour schemes behind View > Skins.
#include "shell/skins.h"

namespace shell {

QStringList skinNames()
{
    return {"OfficeXP", "Office2003", "Office11Adaptive", "OfficeC",  "Stripes", "Nexos",  "Nexos2",
            "Nexos3",   "Sentimo",    "Tristan",          "Tristan2", "Eos",     "EMoney", "Athen"};
}

int findSkin(const QString& name)
{
    const QStringList names = skinNames();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QColor colorFromBgr(unsigned bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QColor blend(const QColor& c1, const QColor& c2, int percent)
{
    auto mix = [percent](int a, int b) { return (a * percent + b * (100 - percent)) / 100; };
    return QColor(mix(c1.red(), c2.red()), mix(c1.green(), c2.green()), mix(c1.blue(), c2.blue()));
}

SkinColors skinColors(const QString& name, const QPalette& system)
{
    const QColor buttonFace = system.color(QPalette::Button);
    const QColor windowColor = system.color(QPalette::Base);
    const QString n = name.toLower();
    if (n == "office11adaptive") {
        const QColor base = colorFromBgr(0xEED8C3); // a soft blue of our own
        return {base, base};
    }
    if (n == "officec") {
        const QColor base = colorFromBgr(0xE3E9EC);
        return {base, base};
    }
    if (n == "nexos" || n == "nexos2" || n == "nexos3")
        return {colorFromBgr(0xF7F7F7), buttonFace};
    if (n == "sentimo")
        return {colorFromBgr(0xF0F0F0), colorFromBgr(0xF0F0F0)};
    if (n == "tristan" || n == "tristan2")
        return {buttonFace, windowColor};
    if (n == "eos") {
        const QColor c = blend(colorFromBgr(0xE0FFFF), Qt::black, 50);
        return {c, c};
    }
    if (n == "emoney") {
        const QColor c = blend(colorFromBgr(0xC1C1C1), Qt::black, 47);
        return {c, c};
    }
    if (n == "athen")
        return {colorFromBgr(0xEBEBEB), Qt::white};
    // OfficeXP, Office2003, Stripes and anything unknown.
    return {buttonFace, buttonFace};
}

QColor readableTextOn(const QColor& back)
{
    return back.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

QString skinStyleSheet(const SkinColors& colors)
{
    const QString d = colors.dock.name();
    const QString dText = readableTextOn(colors.dock).name();
    const QString p = colors.toolWindow.name();
    const QString pText = readableTextOn(colors.toolWindow).name();
    const QString dHover =
        (colors.dock.lightness() < 128 ? colors.dock.lighter(140) : colors.dock.darker(112)).name();
    return QString("QMainWindow { background: %1; }"
                   "QToolBar { background: %1; border: none; spacing: 2px; }"
                   "QToolBar QToolButton { color: %2; }"
                   "QMenuBar { background: %1; color: %2; }"
                   "QMenuBar::item { background: transparent; color: %2; padding: 3px 8px; }"
                   "QMenuBar::item:selected { background: %5; }"
                   "QStatusBar { background: %1; color: %2; }"
                   "QStatusBar QLabel { color: %2; }"
                   "QDockWidget { color: %4; }"
                   "QDockWidget > QWidget#dockBody { background: %3; color: %4; }"
                   "QDockWidget > QWidget#dockBody QLabel { color: %4; }")
        .arg(d, dText, p, pText, dHover);
}

} // namespace shell
