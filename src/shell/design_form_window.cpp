// The design form window. Controls are drawn as framed boxes so their bounds read at a glance.
#include "shell/design_form_window.h"

#include "shell/translate.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace shell {
namespace {

// A form's outer size less its client size with the standard sizeable border and caption.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;

} // namespace

std::unique_ptr<DesignFormModel> DesignFormModel::newForm()
{
    auto form = std::make_unique<DesignFormModel>();
    form->name = "Form1";
    form->caption = form->name;
    form->clientWidth = 490 - kFrameWidth;
    form->clientHeight = 380 - kFrameHeight;
    return form;
}

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
    setObjectName(m_model->name);
    setWindowTitle(m_model->caption);
    delete m_surface;
    m_surface = new QWidget(this);
    m_surface->setObjectName("designSurface");
    m_surface->setAutoFillBackground(true);
    m_surface->setGeometry(0, 0, m_model->clientWidth, m_model->clientHeight);
    addViews(m_surface, m_model->controls);
    m_surface->show();
    setFixedSize(m_model->clientWidth, m_model->clientHeight);
}

void DesignFormWindow::addViews(QWidget* parent, const std::vector<DesignControl>& controls)
{
    for (const DesignControl& c : controls) {
        auto* view = new QFrame(parent);
        view->setFrameShape(QFrame::Box);
        view->setFrameShadow(QFrame::Plain);
        view->setGeometry(c.left, c.top, std::max(c.width, 8), std::max(c.height, 8));
        view->setToolTip(QString("%1: %2\n%3, %4  %5 x %6")
                             .arg(c.name, c.className)
                             .arg(c.left)
                             .arg(c.top)
                             .arg(c.width)
                             .arg(c.height));
        auto* layout = new QVBoxLayout(view);
        layout->setContentsMargins(2, 1, 2, 1);
        layout->setSpacing(0);
        auto* title = new QLabel(QString("%1: %2").arg(c.name, c.className), view);
        QFont small = title->font();
        small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.5));
        title->setFont(small);
        title->setStyleSheet("color: #606060;");
        layout->addWidget(title);
        if (!c.caption.isEmpty())
            layout->addWidget(new QLabel(c.caption, view));
        layout->addStretch(1);
        addViews(view, c.children);
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
