// The studio's own pictures: toolbar and menu icons, the three icons of the Messages list, the
// compile indicator of the status bar, the flag shown for a language without a flag picture and
// the splash logo. They are drawn in code, so the program carries no picture files of its own.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace shell {

// A toolbar or menu icon by name ("new", "open", "save", "compile", "run" …); an unknown name gives
// an empty icon.
QIcon studioIcon(const QString& name);

// The shared status image list: 1 success or hint, 2 warning, 3 error, 45 compiling.
QIcon statusIcon(int index);

// The flag of a language without its own picture (resource NOFLAG).
QPixmap noFlagPixmap();

// The splash window's picture (resource LOGO).
QPixmap logoPixmap(const QString& version);

} // namespace shell
