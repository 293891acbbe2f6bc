// What the window tests share: a prompter that answers with scripted replies and records what the
// studio asked, and a studio started in a fresh home, registry and temporary folder, on the
// install tree's data.
#pragma once

#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/temp_files.h"
#include "shell/main_form.h"
#include "support/temp_home.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QList>
#include <QTest>
#include <functional>
#include <memory>

namespace lmbtest {

// The offscreen platform's notes about window operations it does not have are no test output.
inline void quietPlatformNotes()
{
    static QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type == QtWarningMsg && text.startsWith("This plugin does not support"))
                return;
            if (previous)
                previous(type, context, text);
        });
}

struct BoxRecord {
    QString text;
    QString caption;
    shell::MessageIcon icon;
    shell::BoxButtons buttons;
};

class ScriptedPrompter : public shell::Prompter {
public:
    // Answers given in order; once they run out a box gets the answer that changes nothing.
    QList<shell::BoxAnswer> answers;
    QList<BoxRecord> boxes;
    QStringList openAnswers, saveAnswers;
    QList<shell::FileDialogRequest> fileRequests;
    // Each modal dialog is handed to the next function (it fills fields and returns the result);
    // without one it is cancelled.
    QList<std::function<int(QDialog&)>> dialogs;
    QStringList dialogNames;
    QList<QUrl> urls;
    QList<QStringList> started;

    shell::BoxAnswer ask(const QString& text, const QString& caption, shell::MessageIcon icon,
                         shell::BoxButtons buttons) override
    {
        boxes.append({text, caption, icon, buttons});
        if (!answers.isEmpty())
            return answers.takeFirst();
        switch (buttons) {
        case shell::BoxButtons::Ok:
            return shell::BoxAnswer::Ok;
        case shell::BoxButtons::YesNo:
            return shell::BoxAnswer::No;
        default:
            return shell::BoxAnswer::Cancel;
        }
    }
    QString openFileName(const shell::FileDialogRequest& r) override
    {
        fileRequests.append(r);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(const shell::FileDialogRequest& r) override
    {
        fileRequests.append(r);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    int execDialog(QDialog& dialog) override
    {
        dialogNames.append(dialog.objectName());
        if (dialogs.isEmpty())
            return QDialog::Rejected;
        return dialogs.takeFirst()(dialog);
    }
    bool openUrl(const QUrl& url) override
    {
        urls.append(url);
        return true;
    }
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        started.append(QStringList{program} + arguments);
        return true;
    }

    QStringList captions() const
    {
        QStringList out;
        for (const BoxRecord& b : boxes)
            out << b.caption;
        return out;
    }
};

// A studio as the user meets it after start-up, in a throw-away environment.
struct Studio {
    TempHome home;
    ScriptedPrompter prompter;
    std::unique_ptr<shell::TMainForm> main;

    // `beforeCreate` may write settings the window reads while it is created.
    explicit Studio(const std::function<void()>& beforeCreate = {}, bool start = true)
    {
        quietPlatformNotes();
        // The studio's folder: the install tree's data, and a place of its own for what it writes.
        const auto install = home.root() / "install";
        std::filesystem::create_directories(install);
        for (const char* folder : {"data", "language", "documentation", "Samples", "include", "Templates"}) {
            if (std::filesystem::exists(distDir() / folder))
                std::filesystem::create_directory_symlink(distDir() / folder, install / folder);
        }
        platform::setSourceDir(install);
        platform::TemporaryFiles::instance().createAppDir();
        platform::setCurrentLanguageFile({});
        if (beforeCreate)
            beforeCreate();
        if (start)
            create();
    }
    void create()
    {
        main = std::make_unique<shell::TMainForm>(prompter);
        main->show();
        main->afterShow(QString());
    }
    ~Studio()
    {
        if (main) {
            // Leave without questions.
            main->setModified(false);
            main->setTestRunActive(false);
            main->close();
            main.reset();
        }
        platform::setCurrentLanguageFile({});
    }
    // The file name in the home folder.
    QString path(const QString& name) const
    {
        return QString::fromStdString((home.root() / name.toStdString()).string());
    }
};

inline std::string lang(const char* key)
{
    return platform::GetLangString(key);
}

} // namespace lmbtest
