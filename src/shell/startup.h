// The studio's windows coming into being, in order: the splash with its progress values, the main
// window and the secondary windows, the language applied to all of them, the stored window
// position, the first display and the steps after it. Closing and the shutdown removal of the
// temporary files are the caller's (main) after the event loop.
#pragma once

#include "platform/single_instance.h"
#include "shell/prompter.h"

#include <QApplication>
#include <functional>
#include <memory>

namespace shell {

class TMainForm;

struct StartupOptions {
    bool splash = true;
    int stepDelayMs = 50;    // after each progress step
    int splashPauseMs = 500; // before the progress appears
    QString languageFile;    // the language found before any window existed
    QString firstArgument;   // opened after the first display when it names a file
    // Told of every splash step with the bar's text (start-up tests, diagnostics).
    std::function<void(int percent, const QString& text)> splashStep;
};

// Creates and shows the main window; the caller keeps it alive until the event loop ends.
std::unique_ptr<TMainForm> startStudio(Prompter& prompter, const StartupOptions& options);

// Hands the paths that later starts of the studio send to the main window's instance-data handler,
// in the window's event loop. The handler is told on standard output as well.
void installInstanceHandler(platform::SingleInstance& instance, TMainForm& window);

// The application object: an exception that escapes an event handler is shown, never propagated.
class StudioApplication : public QApplication {
public:
    StudioApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

private:
    Prompter* m_prompter = nullptr;
};

// Message boxes that cannot be seen (no display, or Qt drawing off screen) are written to standard
// error and answered with the choice that changes nothing, so a studio without a screen never waits.
class HeadlessAwarePrompter : public DesktopPrompter {
public:
    explicit HeadlessAwarePrompter(bool headless) : m_headless(headless) {}
    BoxAnswer ask(const QString& text, const QString& caption, MessageIcon icon, BoxButtons buttons) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    int execDialog(QDialog& dialog) override;

private:
    bool m_headless;
};

} // namespace shell
