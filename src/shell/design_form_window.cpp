// The design form window. Controls are drawn as framed boxes so their bounds read at a glance.
#include "shell/design_form_window.h"

#include "shell/translate.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace shell {
DesignFormWindow::DesignFormWindow(std::unique_ptr<DesignFormModel> model, Prompter& prompter, QWidget* owner)
    : QWidget(owner, Qt::Window), m_model(std::move(model)), m_prompter(prompter)
{
    // The object name is the form's own; the studio's language file must not translate it.
    setNotTranslated(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    refresh();
}

DesignFormWindow::~DesignFormWindow() = default;

void DesignFormWindow::refresh()
{
    setObjectName(m_model->name());
    setWindowTitle(m_model->caption());
    delete m_surface;
    m_surface = new QWidget(this);
    m_surface->setObjectName("designSurface");
    m_surface->setAutoFillBackground(true);
    const int width = std::clamp(m_model->clientWidth(), 40, 4000);
    const int height = std::clamp(m_model->clientHeight(), 30, 4000);
    m_surface->setGeometry(0, 0, width, height);
    addViews(m_surface, m_model->root().children);
    m_surface->show();
    setFixedSize(width, height);
}

void DesignFormWindow::addViews(QWidget* parent, const std::vector<FormRecord>& records)
{
    for (const FormRecord& r : records) {
        const QString name = QString::fromStdString(r.name);
        const QString className = QString::fromStdString(r.className);
        const int left = static_cast<int>(r.integer("Left"));
        const int top = static_cast<int>(r.integer("Top"));
        const int width = static_cast<int>(r.integer("Width", 32));
        const int height = static_cast<int>(r.integer("Height", 32));
        QString caption = r.text("Caption");
        if (caption.isEmpty())
            caption = r.text("Text");
        auto* view = new QFrame(parent);
        view->setFrameShape(QFrame::Box);
        view->setFrameShadow(QFrame::Plain);
        view->setGeometry(left, top, std::clamp(width, 8, 4000), std::clamp(height, 8, 4000));
        view->setToolTip(QString("%1: %2\n%3, %4  %5 x %6")
                             .arg(name, className)
                             .arg(left)
                             .arg(top)
                             .arg(width)
                             .arg(height));
        auto* layout = new QVBoxLayout(view);
        layout->setContentsMargins(2, 1, 2, 1);
        layout->setSpacing(0);
        auto* title = new QLabel(QString("%1: %2").arg(name, className), view);
        QFont small = title->font();
        small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.5));
        title->setFont(small);
        title->setStyleSheet("color: #606060;");
        layout->addWidget(title);
        if (!caption.isEmpty())
            layout->addWidget(new QLabel(caption, view));
        layout->addStretch(1);
        addViews(view, r.children);
    }
}

void DesignFormWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    event->ignore();
    m_prompter.message(lang("SCLOSEATRUNTIME"), lang("SNOTALLOWED"), MessageIcon::Warning);
}

} // namespace shell
