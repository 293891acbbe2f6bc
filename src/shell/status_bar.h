// The main window's status bar: five panels (0 hints and progress texts with an optional icon,
// 1 the progress bar and short results, 2 "Line : %d", 3 "Col : %d", 4 "Read only") and the
// progress bar inside panel 1, placed at its left edge and 5 pixels narrower than the panel.
#pragma once

#include <QStatusBar>
#include <array>

class QLabel;
class QProgressBar;

namespace shell {

class StudioStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanels = 5;

    explicit StudioStatusBar(QWidget* parent = nullptr);

    QString panelText(int panel) const;
    int panelWidth(int panel) const;
    void setPanelText(int panel, const QString& text);
    // Panel hints (the tooltip of a panel).
    void setPanelHint(int panel, const QString& hint);
    QString panelHint(int panel) const;
    // The icon of panel 0 (-1 or an empty icon removes it); the index into the status image list.
    void setPanelIcon(int index);
    int panelIcon() const { return m_icon; }

    QProgressBar* progressBar() const { return m_progress; }
    // Shows the bar with a text before the percent ("Compiling script 42%").
    void showProgress(const QString& prefix, int percent);
    void setProgress(int percent);
    void hideProgress();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeProgress();

    std::array<QLabel*, kPanels> m_panels{};
    QLabel* m_iconLabel = nullptr;
    QWidget* m_panel0 = nullptr;
    QProgressBar* m_progress = nullptr;
    int m_icon = -1;
};

} // namespace shell
