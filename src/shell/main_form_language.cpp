// The Language menu, applying a language to every window, the language version warning, and the
// information box of "/?".
#include "platform/command_line.h"
#include "platform/file_association.h"
#include "platform/languages.h"
#include "platform/settings.h"
#include "shell/lang_warn.h"
#include "shell/main_form.h"
#include "shell/status_bar.h"
#include "shell/studio_icons.h"
#include "shell/translate.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QToolBar>
#include <filesystem>

namespace shell {
namespace {

namespace fs = std::filesystem;

QIcon flagIcon(const fs::path& languageFile)
{
    const fs::path bmp = platform::languageFlag(languageFile);
    if (!bmp.empty()) {
        QImage image;
        if (QFileInfo(QString::fromStdString(bmp.string())).size() < (4 << 20) &&
            image.load(QString::fromStdString(bmp.string())) && !image.isNull()) {
            // The bottom-left pixel's colour is the transparent one.
            QPixmap pm = QPixmap::fromImage(image);
            pm.setMask(pm.createMaskFromColor(image.pixelColor(0, image.height() - 1)));
            return QIcon(pm);
        }
    }
    return QIcon(noFlagPixmap());
}

} // namespace

void TMainForm::buildLanguageMenu()
{
    QMenu* menu = m_menus.value("Language1");
    menu->clear();
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    if (m_languageFiles.isEmpty()) {
        QAction* a = menu->addAction(QIcon(noFlagPixmap()), "English");
        a->setCheckable(true);
        a->setChecked(m_languageName.compare("English", Qt::CaseInsensitive) == 0);
        setHint(a, lang("SETLANGTO", {"English"}));
        group->addAction(a);
        return;
    }
    for (int i = 0; i < m_languageFiles.size(); ++i) {
        const fs::path file = m_languageFiles[i].toStdString();
        const QString name = QString::fromStdString(platform::readLanguageInfo(file).name);
        if (name.isEmpty())
            continue;
        QAction* a = menu->addAction(flagIcon(file), name);
        a->setCheckable(true);
        a->setData(i);
        a->setChecked(name.compare(m_languageName, Qt::CaseInsensitive) == 0);
        setHint(a, lang("SETLANGTO", {name}));
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { languageClicked(i); });
    }
}

void TMainForm::languageClicked(int index)
{
    if (index < 0 || index >= m_languageFiles.size())
        return;
    LoadLanguage(m_languageFiles[index]);
    for (QAction* a : m_menus.value("Language1")->actions())
        a->setChecked(a->data().toInt() == index);
    // The association's verbs carry texts of the language; refresh them where it is registered,
    // without registering it for a user who never asked for it.
    if (fs::exists(platform::desktopEntryFile()))
        platform::registerFileAssociation(platform::defaultAssociationTarget());
    refreshHints();
}

void TMainForm::LoadLanguage(const QString& path)
{
    const platform::AppliedLanguage applied = platform::applyLanguage(path.toStdString());
    if (!applied.found)
        return;
    m_languageName = QString::fromStdString(applied.name);
    m_help.setHelpFile(QString::fromStdString(applied.helpFile));

    TranslateAllForms();

    m_helpHint = lang("SFORHELPPRESSF1");
    m_status->setPanelText(0, m_helpHint);
    // The caret panels are texts of the language too.
    updateEditorStatus();

    const char* barItems[] = {nullptr,        "FileMenuToolbar1", "ViewToolbar1",
                              "HelpToolbar1", "ToolsToolbar1",    "RunToolbar1"};
    for (int i = 0; i < 6; ++i) {
        QToolBar* bar = m_toolbars[i];
        const QString key = bar->objectName();
        const QString caption = lang(key.toLatin1().constData(), bar->windowTitle().toUtf8().constData());
        if (!caption.isEmpty())
            bar->setWindowTitle(caption);
        QAction* item = i == 0 ? action("MainMenu1") : action(barItems[i]);
        item->setText(bar->windowTitle());
    }
    QAction* options = action("InspectorOptions1");
    options->setText(lang("SOBJINSPOPT"));
    setHint(options, lang("SOBJINSPOPT"));

    languageVersionCheck(path);
}

void TMainForm::languageVersionCheck(const QString& path)
{
    try {
        const fs::path file = path.toStdString();
        if (!platform::languageWarningDue(file))
            return;
        const platform::LanguageInfo info = platform::readLanguageInfo(file);
        if (!m_langWarn) {
            m_langWarn = new TLangWarn(this);
            connect(m_langWarn, &TLangWarn::warnChanged, this,
                    [](bool warn) { platform::settings::general::LangWarn.write(warn); });
            connect(m_langWarn, &TLangWarn::mailRequested, this,
                    [this](const QString& link) { m_prompter.openUrl(QUrl(link)); });
        }
        m_langWarn->prepare(QString::fromStdString(platform::languageWarningText(file)),
                            QString::fromStdString(info.author), QString::fromStdString(info.email),
                            platform::settings::general::LangWarn.read());
        runDialog(*m_langWarn);
    } catch (...) {
        // The version check never stops a language from being applied.
    }
}

void TMainForm::showUsage()
{
    m_prompter.message(QString::fromStdString(platform::usageText()), lang("Sinfo"),
                       MessageIcon::Information);
}

} // namespace shell
