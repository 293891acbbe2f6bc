// Build step: writes the window sections of the studio's English texts (captions and hints of every
// named component, as the windows carry them) into a language file, so that English.lng names every
// text the windows translate and switching back to English restores them all.
//
//   lmb_windowtexts FILE.lng
#include "platform/ini_file.h"
#include "platform/path_macros.h"
#include "shell/main_form.h"
#include "shell/project_settings_form.h"
#include "shell/small_forms.h"
#include "shell/translate.h"

#include <QApplication>
#include <QDialog>
#include <cstdio>
#include <filesystem>

namespace {

// Nothing is asked while the windows are only looked at.
class SilentPrompter : public shell::Prompter {
public:
    shell::BoxAnswer ask(const QString&, const QString&, shell::MessageIcon, shell::BoxButtons) override
    {
        return shell::BoxAnswer::Cancel;
    }
    QString openFileName(const shell::FileDialogRequest&) override { return {}; }
    QString saveFileName(const shell::FileDialogRequest&) override { return {}; }
    int execDialog(QDialog&) override { return QDialog::Rejected; }
    bool openUrl(const QUrl&) override { return false; }
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: lmb_windowtexts FILE.lng\n", stderr);
        return 2;
    }
    const std::filesystem::path file = argv[1];
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::setSourceDir(file.parent_path().parent_path());

    platform::IniFile ini;
    if (!ini.load(file)) {
        std::fprintf(stderr, "lmb_windowtexts: cannot read %s\n", file.c_str());
        return 1;
    }
    SilentPrompter prompter;
    shell::TMainForm main(prompter);
    const QList<QWidget*> windows{&main, main.projectSettingsForm(), main.selectForm()};
    for (QWidget* w : windows) {
        const std::string section = w->objectName().toStdString();
        for (const auto& [key, text] : shell::windowTexts(w))
            ini.writeString(section, key.toStdString(), text.toStdString());
    }
    ini.writeString("ProjectSettings", "Caption", "Project Settings");
    if (!ini.save(file)) {
        std::fprintf(stderr, "lmb_windowtexts: cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}
