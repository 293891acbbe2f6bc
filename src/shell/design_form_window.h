// The form being designed, as the studio shows it until the form designer takes over: a top-level
// window with the form's caption and client size that shows each control as a plain, read-only
// view of its class, name, position, size and caption. It cannot be closed by the user (the
// designed form stays for the life of the project); New and Open replace it.
#pragma once

#include "shell/prompter.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace shell {

struct DesignControl {
    QString className;
    QString name;
    QString caption;
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<DesignControl> children;
};

// The form of the current project, as far as the studio's windows need it.
struct DesignFormModel {
    QString name = "Form1";
    QString caption = "Form1";
    int clientWidth = 482;
    int clientHeight = 346;
    std::vector<DesignControl> controls;

    // Form1, 490 x 380 outside, caption equal to the name.
    static std::unique_ptr<DesignFormModel> newForm();
};

class DesignFormWindow : public QWidget {
    Q_OBJECT
public:
    DesignFormWindow(std::unique_ptr<DesignFormModel> model, Prompter& prompter, QWidget* owner);
    ~DesignFormWindow() override;

    const DesignFormModel& model() const { return *m_model; }
    DesignFormModel& model() { return *m_model; }
    // Shows the model's caption, size and controls again after a change.
    void refresh();
    // Lets the studio close the window at the end.
    void allowClose() { m_closeAllowed = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addViews(QWidget* parent, const std::vector<DesignControl>& controls);

    std::unique_ptr<DesignFormModel> m_model;
    Prompter& m_prompter;
    QWidget* m_surface = nullptr;
    bool m_closeAllowed = false;
};

} // namespace shell
