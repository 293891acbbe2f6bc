// The form being designed, as the studio shows it until the form designer takes over: a top-level
// window with the form's caption and client size that shows each control as a plain, read-only
// view of its class, name, position, size and caption. It cannot be closed by the user (the
// designed form stays for the life of the project); New and Open replace it.
#pragma once

#include "shell/design_form_model.h"
#include "shell/prompter.h"

#include <QWidget>
#include <memory>

namespace shell {

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
    void addViews(QWidget* parent, const vcl::Component& container);

    std::unique_ptr<DesignFormModel> m_model;
    Prompter& m_prompter;
    QWidget* m_surface = nullptr;
    bool m_closeAllowed = false;
};

} // namespace shell
