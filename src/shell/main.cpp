// The studio's entry point: the start-up before any window (temporary folder, language, switches,
// single instance), then the windows and the event loop, then the shutdown removal of the temporary
// files.
#include "platform/command_line.h"
#include "platform/lang.h"
#include "platform/temp_files.h"
#include "shell/early_startup.h"
#include "shell/main_form.h"
#include "shell/startup.h"
#include "shell/termination_signals.h"

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

int main(int argc, char** argv)
{
    shell::catchTerminationSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    shell::EarlyStartup early = shell::runEarlyStartup(args, stdout);
    if (early.exitCode) {
        if (early.commandLine.action == platform::StartAction::ShowUsage && shell::hasRealDisplay()) {
            QApplication app(argc, argv);
            // A termination signal closes the box, as it ends the studio.
            shell::quitOnTerminationSignals();
            shell::DesktopPrompter prompter;
            prompter.message(qs(platform::usageText()), qs(platform::GetLangString("Sinfo")),
                             shell::MessageIcon::Information);
        }
        platform::TemporaryFiles::instance().removeAll();
        return *early.exitCode;
    }
    if (shell::terminationRequested()) {
        platform::TemporaryFiles::instance().removeAll();
        return 0;
    }

    shell::StudioApplication app(argc, argv);
    shell::quitOnTerminationSignals();
    shell::HeadlessAwarePrompter prompter(!shell::hasRealDisplay());
    app.setPrompter(&prompter);

    shell::StartupOptions options;
    options.languageFile = qs(early.languageFile.string());
    options.firstArgument = qs(early.commandLine.firstArgument);
    std::unique_ptr<shell::TMainForm> window = shell::startStudio(prompter, options);
    prompter.setParent(window.get());

    if (early.instance)
        shell::installInstanceHandler(*early.instance, *window);
    const int rc = shell::terminationRequested() ? 0 : app.exec();
    early.instance.reset();
    // Ended by a termination signal: the settings are still written, without questions.
    if (window->isVisible())
        window->closeWithoutQuestions();
    window.reset();
    platform::TemporaryFiles::instance().removeAll();
    return rc;
}
