// The five status panels. Panel 0 takes what the other four leave, so the width rule (the bar's
// width minus panels 1 to 4 minus 15) holds whenever the window is resized.
#include "shell/status_bar.h"

#include "shell/studio_icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <algorithm>

namespace shell {
namespace {

constexpr std::array<int, StudioStatusBar::kPanels> kWidths{0, 190, 90, 80, 80};

} // namespace

StudioStatusBar::StudioStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName("StatusBar1");
    setSizeGripEnabled(true);

    m_panel0 = new QWidget(this);
    auto* row = new QHBoxLayout(m_panel0);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(4);
    m_iconLabel = new QLabel(m_panel0);
    m_iconLabel->setFixedSize(16, 16);
    m_iconLabel->hide();
    row->addWidget(m_iconLabel);
    m_panels[0] = new QLabel(m_panel0);
    m_panels[0]->setMinimumWidth(60);
    row->addWidget(m_panels[0], 1);
    addWidget(m_panel0, 1);

    for (int i = 1; i < kPanels; ++i) {
        auto* label = new QLabel(this);
        label->setFixedWidth(kWidths[i]);
        label->setContentsMargins(4, 0, 4, 0);
        m_panels[i] = label;
        addPermanentWidget(label);
    }
    m_progress = new QProgressBar(m_panels[1]);
    m_progress->setObjectName("ProgressBar1");
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(true);
    m_progress->hide();
    placeProgress();
}

QString StudioStatusBar::panelText(int panel) const
{
    return panel >= 0 && panel < kPanels ? m_panels[panel]->text() : QString();
}

int StudioStatusBar::panelWidth(int panel) const
{
    return panel >= 0 && panel < kPanels ? m_panels[panel]->width() : 0;
}

void StudioStatusBar::setPanelText(int panel, const QString& text)
{
    if (panel < 0 || panel >= kPanels)
        return;
    QLabel* label = m_panels[panel];
    label->setText(text);
    // The caret and read-only panels grow to the longest text a language gives them, and keep
    // that width, so that they neither clip nor jump while the caret moves.
    if (panel >= 2) {
        const QMargins m = label->contentsMargins();
        const int needed = label->fontMetrics().horizontalAdvance(text) + m.left() + m.right() + 6;
        if (needed > label->minimumWidth())
            label->setFixedWidth(needed);
    }
}

void StudioStatusBar::setPanelHint(int panel, const QString& hint)
{
    if (panel >= 0 && panel < kPanels)
        m_panels[panel]->setToolTip(hint);
}

QString StudioStatusBar::panelHint(int panel) const
{
    return panel >= 0 && panel < kPanels ? m_panels[panel]->toolTip() : QString();
}

void StudioStatusBar::setPanelIcon(int index)
{
    m_icon = index;
    const QIcon icon = index < 0 ? QIcon() : statusIcon(index);
    if (icon.isNull()) {
        m_icon = -1;
        m_iconLabel->hide();
        return;
    }
    m_iconLabel->setPixmap(icon.pixmap(16, 16));
    m_iconLabel->show();
}

void StudioStatusBar::showProgress(const QString& prefix, int percent)
{
    m_progress->setFormat(prefix + QLatin1String("%p%"));
    setProgress(percent);
    if (!m_progress->isVisible()) {
        placeProgress();
        m_progress->show();
    }
}

void StudioStatusBar::setProgress(int percent)
{
    m_progress->setValue(std::clamp(percent, 0, 100));
}

void StudioStatusBar::hideProgress()
{
    m_progress->hide();
}

void StudioStatusBar::placeProgress()
{
    const QRect r = m_panels[1]->rect();
    m_progress->setGeometry(0, 1, std::max(10, r.width() - 5), std::max(10, r.height() - 2));
}

void StudioStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    placeProgress();
}

} // namespace shell
