// TSplashForm. Its texts are read raw from the language file: the macro expansion of the other
// messages is not set up yet when it appears.
#include "shell/splash_form.h"

#include "platform/lang.h"
#include "shell/studio_icons.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace shell {
namespace {

QString raw(const char* key, const char* english)
{
    // Values read from a file come trimmed; the built-in texts are trimmed the same way so that the
    // one blank added after them is the only one.
    return QString::fromStdString(platform::langStringRaw(key, english)).trimmed();
}

} // namespace

TSplashForm::TSplashForm(const QString& version, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("SplashForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_prefix = raw("SLOADPRE", "Loading -") + " ";
    m_suffix = raw("SLOADSUF", "% - Please wait\u2026") + " ";

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(logoPixmap(version));
    layout->addWidget(picture);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("ProgressBar1");
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(true);
    m_bar->setAlignment(Qt::AlignCenter);
    m_bar->setFixedHeight(22);
    m_bar->setStyleSheet("QProgressBar { border: none; background: #0b162a; color: white; }"
                         "QProgressBar::chunk { background: #2f6fc9; }");
    layout->addWidget(m_bar);
    setStyleSheet("TSplashForm, shell--TSplashForm { background: #0b162a; }");
    setProgress(0, 0);
    adjustSize();
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::setProgress(int percent, int delayMs)
{
    m_bar->setValue(percent);
    const QString prefix = percent >= 100 ? raw("SREADY_PRE", "Ready - ") + " " : m_prefix;
    m_bar->setFormat(prefix + QString::number(percent) + m_suffix);
    repaint();
    if (delayMs <= 0)
        return;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < delayMs) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, delayMs);
        QThread::msleep(5);
    }
}

QString TSplashForm::progressText() const
{
    return m_bar->text();
}

int TSplashForm::progress() const
{
    return m_bar->value();
}

} // namespace shell
