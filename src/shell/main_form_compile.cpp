// Compile and the Messages list: the compile runs on the compiler host while the window shows its
// progress, keeps the script read-only and the caption marked; the first error moves the caret
// there, marks the line and is shown in a box.
#include "editor/code_editor.h"
#include "platform/lang.h"
#include "platform/text_encoding.h"
#include "script/form_info.h"
#include "shell/design_form_model.h"
#include "shell/design_form_window.h"
#include "shell/main_form.h"
#include "shell/messages_panel.h"
#include "shell/status_bar.h"

#include <QAction>
#include <QApplication>
#include <algorithm>

namespace shell {
namespace {

// The status bar's side of a compile.
class StatusCompileProgress : public script::CompileProgress {
public:
    explicit StatusCompileProgress(StudioStatusBar& status) : m_status(status) {}
    void processing(const std::string& objectName) override
    {
        m_status.setPanelText(0, lang("Sproces", {QString::fromStdString(objectName)}));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void started(std::size_t) override { m_status.showProgress(lang("SCOMPILING2") + " ", 0); }
    void progress(int percent) override
    {
        m_status.showProgress(lang("SCOMPILING2") + " ", percent);
        m_status.setPanelText(0, lang("SCOMPILING"));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void finished() override { m_status.hideProgress(); }

private:
    StudioStatusBar& m_status;
};

} // namespace

script::DesignFormInfo TMainForm::designFormInfo() const
{
    if (!m_designForm)
        return {};
    return script::describeForm(m_designForm->model().root());
}

bool TMainForm::Compile()
{
    if (m_compiling || m_compiler.busy())
        return false;
    const WorkScope working(*this);
    m_status->setPanelIcon(45);
    m_editor->setErrorLine(-1);
    m_compiling = true;
    const QString caption = windowTitle();
    setWindowTitle(caption + " " + lang("SCOMPILI"));
    m_editor->setReadOnly(true);
    m_messages->clear();
    updateCommandStates();

    StatusCompileProgress progress(*m_status);
    script::CompileOutcome outcome;
    try {
        const script::DesignFormInfo form = designFormInfo();
        script::CompileRequest request;
        request.editorText = m_editor->lines().join("\r\n").toStdString();
        request.form = m_designForm ? &form : nullptr;
        request.lists = &m_eventLists;
        request.progress = &progress;
        outcome = m_compiler.compile(request);
    } catch (const std::exception& e) {
        outcome = {};
        outcome.rows.push_back(
            {platform::GetLangString("FailedWhenCompiling"), -1, -1, script::MessageIcon::Error});
        outcome.rows.push_back({e.what(), -1, -1, script::MessageIcon::Error});
    }
    for (const script::MessageRow& row : outcome.rows)
        m_messages->addRow({QString::fromStdString(row.text), row.row, row.col, static_cast<int>(row.icon)});
    if (outcome.firstError) {
        try {
            const script::FirstError& e = *outcome.firstError;
            m_editor->setCaret(e.row, e.col);
            m_editor->setFocus();
            m_editor->setErrorLine(e.row);
            m_prompter.message(QString::fromStdString(e.longText), lang("FailedWhenCompiling"),
                               MessageIcon::Error);
        } catch (...) {
        }
    }
    if (outcome.success)
        m_composedScript = QString::fromStdString(outcome.composedText);
    else
        m_modified = true;

    // The mark is dropped, the painted line stays until the script is edited or compiled again.
    m_editor->setErrorLine(-1, false);
    m_compiling = false;
    m_editor->setReadOnly(m_testRunActive);
    setWindowTitle(caption);
    m_status->setPanelIcon(-1);
    m_status->setPanelText(0, m_helpHint);
    updateCommandStates();
    return outcome.success;
}

void TMainForm::CompileCommand()
{
    m_status->setPanelText(1, QString());
    m_status->setPanelHint(1, QString());
    action("TBXItem39")->setEnabled(false);
    Compile();
    updateCommandStates();
}

void TMainForm::showSourcePosition(int row, int column)
{
    m_editor->setCaret(row, column);
    m_editor->setFocus();
    m_editor->setErrorLine(row);
}

} // namespace shell
