// The studio's visual themes: named colour schemes of our own, chosen in View > Skins. Each scheme
// yields the two colours the windows are painted with: the dock colour D (toolbar docks, the
// inspectors, the palette, and the theme colour the dialogs take) and the tool-window colour P
// (the areas of the dockable panels).
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>

namespace shell {

struct SkinColors {
    QColor dock;       // D
    QColor toolWindow; // P
};

// The names in menu order; "OfficeXP" is the default.
QStringList skinNames();
// Index in skinNames() of a name compared without regard to case, or -1.
int findSkin(const QString& name);

// A colour given as a Windows BGR value ($00BBGGRR).
QColor colorFromBgr(unsigned bgr);
// C1 weighted by `percent`, the rest C2 (the blend the theme colours use).
QColor blend(const QColor& c1, const QColor& c2, int percent);

// D and P of a scheme, from the system palette's button face and window colours.
SkinColors skinColors(const QString& name, const QPalette& system);

// Black or white, whichever reads on `back`.
QColor readableTextOn(const QColor& back);

// A style sheet painting the main window's docks and panels with D and P, readable text included.
QString skinStyleSheet(const SkinColors& colors);

} // namespace shell
