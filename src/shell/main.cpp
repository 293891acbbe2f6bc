// The studio's entry point: the start-up before any window (temporary folder, language, switches,
// single instance), then the windows and the event loop, then the shutdown removal of the temporary
// files. Until the main window exists, a placeholder window stands in for it.
#include "platform/lang.h"
#include "platform/temp_files.h"
#include "shell/early_startup.h"
#include "shell/termination_signals.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>

#include <cstdio>

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Stands in for the main window: shows the project named on the command line and what later
// starts hand over.
class PlaceholderWindow : public QLabel {
public:
    explicit PlaceholderWindow(const std::string& firstArgument)
    {
        setWindowTitle(qs(shell::titleBase()) + "  [" + qs(platform::GetLangString("SUNTI")) + "]");
        setAlignment(Qt::AlignCenter);
        setText("Lumeni Zarerud");
        resize(480, 240);
        const QString path = qs(firstArgument);
        if (!path.isEmpty() && QFileInfo(path).isFile())
            receive(firstArgument);
    }

    void receive(const std::string& path)
    {
        std::printf("Handed over: %s\n", path.c_str());
        std::fflush(stdout);
        setText("Lumeni Zarerud\n\n" + qs(path));
        raise();
        activateWindow();
    }
};

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    shell::EarlyStartup early = shell::runEarlyStartup(args, stdout);
    if (early.exitCode) {
        if (early.commandLine.action == platform::StartAction::ShowUsage && shell::hasRealDisplay()) {
            QApplication app(argc, argv);
            QMessageBox::information(nullptr, qs(platform::GetLangString("SINFO")),
                                     qs(platform::usageText()));
        }
        platform::TemporaryFiles::instance().removeAll();
        return *early.exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Lumeni Zarerud");
    shell::quitOnTerminationSignals();
    PlaceholderWindow window(early.commandLine.firstArgument);
    if (early.instance) {
        early.instance->setHandler([&window](const std::string& path) {
            QMetaObject::invokeMethod(&window, [&window, path] { window.receive(path); }, Qt::QueuedConnection);
        });
    }
    window.show();
    const int rc = app.exec();
    early.instance.reset();
    platform::TemporaryFiles::instance().removeAll();
    return rc;
}
