// The language warning: the chosen language file was written for an older version of the studio,
// so some texts may show in English. Names the translator with a mail link; its check box turns
// the warning off for good.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace shell {

class TLangWarn : public QDialog {
    Q_OBJECT
public:
    explicit TLangWarn(QWidget* parent = nullptr);

    // The text area, the translator's name and address; the check box follows the LangWarn setting.
    void prepare(const QString& text, const QString& author, const QString& email, bool warnOn);

    QPlainTextEdit* textArea() const { return m_text; }
    QCheckBox* dontShowAgain() const { return m_dontShow; }
    QLabel* emailLabel() const { return m_email; }

signals:
    // Every change of the check box: the new value of LangWarn (the opposite of the box).
    void warnChanged(bool warn);
    void mailRequested(const QString& address);

private:
    QPlainTextEdit* m_text;
    QLabel* m_authorCaption;
    QLabel* m_author;
    QLabel* m_emailCaption;
    QLabel* m_email;
    QCheckBox* m_dontShow;
    QPushButton* m_ok;
    bool m_preparing = false;
};

} // namespace shell
