// TLangWarn. Its texts are message keys, looked up each time it is shown.
#include "shell/lang_warn.h"

#include "shell/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace shell {

TLangWarn::TLangWarn(QWidget* parent) : QDialog(parent)
{
    setObjectName("LangWarn");
    setModal(true);
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("Memo1");
    m_text->setReadOnly(true);
    m_text->setMinimumSize(420, 170);
    grid->addWidget(m_text, 0, 1, 1, 2);
    m_authorCaption = new QLabel(this);
    m_authorCaption->setObjectName("lblAuthorCaption");
    m_author = new QLabel(this);
    m_author->setObjectName("lblAuthor");
    grid->addWidget(m_authorCaption, 1, 1);
    grid->addWidget(m_author, 1, 2);
    m_emailCaption = new QLabel(this);
    m_emailCaption->setObjectName("lblEmailCaption");
    m_email = new QLabel(this);
    m_email->setObjectName("lblEmail");
    m_email->setTextFormat(Qt::RichText);
    m_email->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_email, &QLabel::linkActivated, this, [this](const QString& link) { emit mailRequested(link); });
    grid->addWidget(m_emailCaption, 2, 1);
    grid->addWidget(m_email, 2, 2);
    m_dontShow = new QCheckBox(this);
    m_dontShow->setObjectName("CheckBox1");
    grid->addWidget(m_dontShow, 3, 1, 1, 2);
    connect(m_dontShow, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_preparing)
            emit warnChanged(!on);
    });
    m_ok = new QPushButton(this);
    m_ok->setObjectName("Button1");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(m_ok, 4, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
}

void TLangWarn::prepare(const QString& text, const QString& author, const QString& email, bool warnOn)
{
    m_preparing = true;
    setWindowTitle(lang("SWARNING"));
    m_text->setPlainText(QString(text).replace("\r\n", "\n"));
    m_authorCaption->setText(lang("AUTHORNAME"));
    m_author->setText(author);
    m_emailCaption->setText(lang("AUTHOREMAIL"));
    const QString escaped = email.toHtmlEscaped();
    m_email->setText(email.isEmpty() ? QString() : QString("<a href=\"mailto:%1\">%1</a>").arg(escaped));
    m_dontShow->setText(lang("SDONTSHOWAGAIN"));
    m_dontShow->setChecked(!warnOn);
    m_ok->setText(lang("BTNOK"));
    m_preparing = false;
}

} // namespace shell
