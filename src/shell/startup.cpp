// Start-up stage C: the program block of the studio.
#include "shell/startup.h"

#include "platform/lang.h"
#include "platform/version.h"
#include "shell/main_form.h"
#include "shell/splash_form.h"
#include "shell/translate.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QPointer>
#include <QScreen>
#include <QTextDocument>
#include <QThread>
#include <QToolTip>
#include <cstdio>

namespace shell {
namespace {

void pause(int ms)
{
    if (ms <= 0)
        return;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, ms);
        QThread::msleep(5);
    }
}

// Hint windows stay 10 seconds and are at most six tenths of the screen wide.
class HintWindows : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->toolTip().isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QScreen* screen = w->screen();
        const int maxWidth = (screen ? screen->geometry().width() : 1280) / 10 * 6;
        QString text = w->toolTip();
        if (!Qt::mightBeRichText(text))
            text = "<p style='white-space:pre-wrap'>" + text.toHtmlEscaped() + "</p>";
        QToolTip::showText(help->globalPos(), text, w, QRect(), 10000);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("qtooltip_label") && top->width() > maxWidth) {
                top->setMaximumWidth(maxWidth);
                top->adjustSize();
            }
        }
        return true;
    }
};

} // namespace

std::unique_ptr<TMainForm> startStudio(Prompter& prompter, const StartupOptions& options)
{
    QApplication::setApplicationName("Lumeni Zarerud");
    static HintWindows* hints = nullptr;
    if (!hints) {
        hints = new HintWindows(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(hints);
    }
    std::unique_ptr<TSplashForm> splash;
    if (options.splash) {
        splash = std::make_unique<TSplashForm>(QString::fromStdString(platform::programVersion()));
        splash->show();
        splash->raise();
        QApplication::processEvents();
        pause(options.splashPauseMs);
    }
    auto step = [&](int percent) {
        if (!splash)
            return;
        splash->setProgress(percent, options.stepDelayMs);
        if (options.splashStep)
            options.splashStep(percent, splash->progressText());
    };

    step(5);
    auto main = std::make_unique<TMainForm>(prompter);
    // The secondary windows in their groups; those of later parts of the studio are made where
    // they are built.
    step(15);
    main->passwordForm();
    main->setPasswordForm();
    step(20);
    step(25);
    main->projectSettingsForm();
    for (int percent : {30, 35, 40, 45, 50, 55, 60, 65})
        step(percent);
    step(70);
    main->progressWindow();
    step(75);
    main->selectForm();
    for (int percent : {80, 90, 95, 100})
        step(percent);

    // The splash stays above other windows: out of the way of the language warning that applying
    // the language may show.
    if (splash)
        splash->hide();
    main->LoadLanguage(options.languageFile.isEmpty()
                           ? QString::fromStdString(platform::currentLanguageFile().string())
                           : options.languageFile);
    splash.reset();
    main->restorePosition();
    main->show();
    QApplication::processEvents();
    main->afterShow(options.firstArgument);
    return main;
}

void installInstanceHandler(platform::SingleInstance& instance, TMainForm& window)
{
    QPointer<TMainForm> target(&window);
    instance.setHandler([target](const std::string& path) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [target, path] {
                std::printf("Handed over: %s\n", path.c_str());
                std::fflush(stdout);
                if (target)
                    target->instanceData(QString::fromStdString(path));
            },
            Qt::QueuedConnection);
    });
}

StudioApplication::StudioApplication(int& argc, char** argv) : QApplication(argc, argv)
{}

bool StudioApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (m_prompter) {
            if (TMainForm* main = TMainForm::instance())
                main->setDialogActive(false);
            m_prompter->message(QString::fromUtf8(e.what()), lang("SERROR"), MessageIcon::Error);
        }
    } catch (...) {
        if (m_prompter)
            m_prompter->message("Unknown error", lang("SERROR"), MessageIcon::Error);
    }
    return false;
}

BoxAnswer HeadlessAwarePrompter::ask(const QString& text, const QString& caption, MessageIcon icon,
                                     BoxButtons buttons)
{
    if (!m_headless)
        return DesktopPrompter::ask(text, caption, icon, buttons);
    std::fprintf(stderr, "LMB: %s: %s\n", caption.toLocal8Bit().constData(),
                 QString(text).replace("\r\n", " ").replace('\n', ' ').toLocal8Bit().constData());
    switch (buttons) {
    case BoxButtons::Ok:
        return BoxAnswer::Ok;
    case BoxButtons::YesNo:
        return BoxAnswer::No;
    case BoxButtons::YesNoCancel:
        return BoxAnswer::Cancel;
    }
    return BoxAnswer::Cancel;
}

QString HeadlessAwarePrompter::openFileName(const FileDialogRequest& request)
{
    return m_headless ? QString() : DesktopPrompter::openFileName(request);
}

QString HeadlessAwarePrompter::saveFileName(const FileDialogRequest& request)
{
    return m_headless ? QString() : DesktopPrompter::saveFileName(request);
}

int HeadlessAwarePrompter::execDialog(QDialog& dialog)
{
    return m_headless ? int(QDialog::Rejected) : DesktopPrompter::execDialog(dialog);
}

} // namespace shell
