// The password dialogs. Their texts are message keys looked up each time they are shown.
#include "shell/password_forms.h"

#include "shell/studio_icons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

TFormSetProjectPassword::TFormSetProjectPassword(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName("FormSetProjectPassword");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(studioIcon("password").pixmap(32, 32));
    head->addWidget(picture, 0, Qt::AlignTop);
    m_text = new QLabel(this);
    m_text->setObjectName("Label3");
    m_text->setWordWrap(true);
    head->addWidget(m_text, 1);
    layout->addLayout(head);

    auto* form = new QFormLayout;
    m_label1 = new QLabel(this);
    m_label1->setObjectName("Label1");
    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName("Edit1");
    m_edit1->setEchoMode(QLineEdit::Password);
    m_label1->setBuddy(m_edit1);
    m_label2 = new QLabel(this);
    m_label2->setObjectName("Label2");
    m_edit2 = new QLineEdit(this);
    m_edit2->setObjectName("Edit2");
    m_edit2->setEchoMode(QLineEdit::Password);
    m_label2->setBuddy(m_edit2);
    form->addRow(m_label1, m_edit1);
    form->addRow(m_label2, m_edit2);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName("Button1");
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName("Button2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void TFormSetProjectPassword::prepare(const QString& currentPassword)
{
    setWindowTitle(lang("SPROJPASS"));
    m_text->setText(lang("SLABELPASS"));
    m_label1->setText(lang("SPASSWORD1"));
    m_label2->setText(lang("SPASSWORD2"));
    m_ok->setText(lang("BTNOK"));
    m_cancel->setText(lang("BTNCancel"));
    m_edit1->setText(currentPassword);
    m_edit2->setText(currentPassword);
    m_edit1->setFocus();
}

QString TFormSetProjectPassword::password() const
{
    return m_edit1->text();
}

void TFormSetProjectPassword::accept()
{
    if (m_edit1->text() != m_edit2->text()) {
        m_prompter.message(lang("SPASSWORDNOTMATCH"), lang("SERROR"), MessageIcon::Error);
        return;
    }
    QDialog::accept();
}

TFormPassword::TFormPassword(QWidget* parent) : QDialog(parent)
{
    setObjectName("FormPassword");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(studioIcon("password").pixmap(32, 32));
    head->addWidget(picture, 0, Qt::AlignTop);
    m_text = new QLabel(this);
    m_text->setObjectName("Label1");
    m_text->setWordWrap(true);
    head->addWidget(m_text, 1);
    layout->addLayout(head);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("Edit1");
    m_edit->setEchoMode(QLineEdit::Password);
    layout->addWidget(m_edit);
    m_show = new QCheckBox(this);
    m_show->setObjectName("CheckBox1");
    layout->addWidget(m_show);
    connect(m_show, &QCheckBox::toggled, this,
            [this](bool on) { m_edit->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password); });
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName("Button1");
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName("Button2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void TFormPassword::prepare()
{
    setWindowTitle(lang("SPASSFORMCAPTION"));
    m_text->setText(lang("SPROTECTEDMENU"));
    m_show->setText(lang("SHOWPASSWORD"));
    m_ok->setText(lang("BTNOK"));
    m_cancel->setText(lang("BTNCancel"));
    m_edit->clear();
    m_show->setChecked(false);
    m_edit->setFocus();
}

QString TFormPassword::password() const
{
    return m_edit->text();
}

} // namespace shell
