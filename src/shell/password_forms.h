// The two password dialogs: TFormSetProjectPassword sets or removes the project password (two
// masked fields that must match), TFormPassword asks for the password of a protected project.
#pragma once

#include "shell/prompter.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

class TFormSetProjectPassword : public QDialog {
    Q_OBJECT
public:
    TFormSetProjectPassword(Prompter& prompter, QWidget* parent = nullptr);

    // Fills both fields with the current password and the texts with the current language.
    void prepare(const QString& currentPassword);
    QString password() const;

    QLineEdit* field1() const { return m_edit1; }
    QLineEdit* field2() const { return m_edit2; }

    void accept() override;

private:
    Prompter& m_prompter;
    QLabel* m_text;
    QLabel* m_label1;
    QLabel* m_label2;
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

class TFormPassword : public QDialog {
    Q_OBJECT
public:
    explicit TFormPassword(QWidget* parent = nullptr);

    // Empties the field and sets the texts with the current language.
    void prepare();
    QString password() const;
    QLineEdit* field() const { return m_edit; }
    QCheckBox* showPassword() const { return m_show; }

private:
    QLabel* m_text;
    QLineEdit* m_edit;
    QCheckBox* m_show;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace shell
