// Small windows of the studio: TSelectForm picks one of several files dropped on the editor, TMess
// shows the progress of a project load or save and cannot be closed by the user.
#pragma once

#include "project/prompter.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QProgressBar;

namespace shell {

class TSelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectForm(QWidget* parent = nullptr);
    void prepare(const QStringList& paths);
    QString selectedPath() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
};

class TMess : public QDialog, public project::Progress {
    Q_OBJECT
public:
    explicit TMess(QWidget* parent = nullptr);

    // Shows the window with a caption (the project's path), a text and the bar at 0.
    void start(const QString& caption, const QString& text);
    void finish();

    void setText(const std::string& text) override;
    void setPercent(int percent) override;
    QString text() const;
    int percent() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_label;
    QProgressBar* m_bar;
};

} // namespace shell
