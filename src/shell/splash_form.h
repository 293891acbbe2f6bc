// The splash window shown while the studio creates its windows: the logo and a progress bar that
// reads "Loading - NN% - Please wait… " and, at the end, "Ready - 100% - Please wait… ".
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace shell {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    // The prefix and suffix are looked up in the language file named by the settings.
    TSplashForm(const QString& version, QWidget* parent = nullptr);

    // Sets the bar, waits `delayMs` while repainting; at 100 the prefix becomes "Ready - ".
    void setProgress(int percent, int delayMs = 50);
    QString progressText() const;
    int progress() const;

private:
    QProgressBar* m_bar;
    QString m_prefix;
    QString m_suffix;
};

} // namespace shell
