// TSelectForm and TMess.
#include "shell/small_forms.h"

#include "shell/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {

TSelectForm::TSelectForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("SelectForm");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName("ListBox1");
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("Button1");
    auto* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Button2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(480, 260);
}

void TSelectForm::prepare(const QStringList& paths)
{
    setWindowTitle(lang("SSELECTFILETOOPEN", "Select file to open ..."));
    m_list->clear();
    m_list->addItems(paths);
    m_list->setCurrentRow(0);
}

QString TSelectForm::selectedPath() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

// The progress window stays above the main window as its dialog, not above every window: the message
// boxes that a load or save shows meanwhile must come in front of it, their buttons uncovered.
TMess::TMess(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint)
{
    setObjectName("Mess");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_label->setMinimumWidth(360);
    layout->addWidget(m_label);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("ProgressBar1");
    m_bar->setRange(0, 100);
    m_bar->setFormat("%p%");
    layout->addWidget(m_bar);
}

void TMess::start(const QString& caption, const QString& text)
{
    setWindowTitle(caption);
    m_label->setText(text);
    m_bar->setValue(0);
    if (parentWidget())
        setPalette(parentWidget()->palette());
    adjustSize();
    const QWidget* anchor = parentWidget() && parentWidget()->isVisible() ? parentWidget() : nullptr;
    const QRect area = anchor ? anchor->frameGeometry()
                              : (QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry()
                                                               : QRect(0, 0, 800, 600));
    move(area.center() - rect().center());
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMess::finish()
{
    hide();
}

void TMess::setText(const std::string& text)
{
    m_label->setText(QString::fromStdString(text));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMess::setPercent(int percent)
{
    const int value = std::clamp(percent, 0, 100);
    if (value == m_bar->value())
        return;
    m_bar->setValue(value);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TMess::text() const
{
    return m_label->text();
}

int TMess::percent() const
{
    return m_bar->value();
}

void TMess::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void TMess::keyPressEvent(QKeyEvent* event)
{
    // Escape would reject the dialog; the progress window stays until the work is done.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace shell
