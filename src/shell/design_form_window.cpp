// The design form window. Controls are drawn as framed boxes so their bounds read at a glance.
#include "shell/design_form_window.h"

#include "shell/translate.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {
namespace {

// "&Say hello" as the control shows it: "&" marks the accelerator, "&&" is an ampersand.
QString withoutAccelerator(const QString& caption)
{
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace
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
    // The form's colour: a BGR value, or a system colour (negative) shown as the button face.
    const int color = componentInteger(m_model->root(), "Color", -1);
    if (color >= 0) {
        QPalette pal = m_surface->palette();
        pal.setColor(QPalette::Window, QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
        m_surface->setPalette(pal);
    }
    const int width = std::clamp(m_model->clientWidth(), 40, 4000);
    const int height = std::clamp(m_model->clientHeight(), 30, 4000);
    m_surface->setGeometry(0, 0, width, height);
    addViews(m_surface, m_model->root());
    // Components without a window of their own sit on the form as small tiles.
    for (const auto& owned : m_model->root().components()) {
        if (owned->isControl())
            continue;
        auto* tile = new QLabel(QString::fromStdString(owned->classInfo().name).mid(1, 3), m_surface);
        tile->setAlignment(Qt::AlignCenter);
        tile->setFrameShape(QFrame::Panel);
        tile->setFrameShadow(QFrame::Raised);
        tile->setGeometry(componentInteger(*owned, "Left", 8), componentInteger(*owned, "Top", 8), 28, 28);
        tile->setToolTip(QString::fromStdString(owned->name() + ": " + owned->classInfo().name));
    }
    m_surface->show();
    setFixedSize(width, height);
    // Where the form was designed to appear.
    move(componentInteger(m_model->root(), "Left", 200), componentInteger(m_model->root(), "Top", 120));
}

void DesignFormWindow::addViews(QWidget* parent, const vcl::Component& container)
{
    for (const vcl::Component* c : container.controls()) {
        const QString name = QString::fromStdString(c->name());
        const QString className = QString::fromStdString(c->classInfo().name);
        const int left = componentInteger(*c, "Left");
        const int top = componentInteger(*c, "Top");
        const int width = componentInteger(*c, "Width", 32);
        const int height = componentInteger(*c, "Height", 32);
        QString caption = componentText(*c, "Caption");
        if (caption.isEmpty())
            caption = componentText(*c, "Text");
        caption = withoutAccelerator(caption);
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
        if (!caption.isEmpty()) {
            auto* text = new QLabel(caption, view);
            text->setWordWrap(true);
            text->setTextFormat(Qt::PlainText);
            layout->addWidget(text);
        }
        layout->addStretch(1);
        addViews(view, *c);
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
