// The Project Settings dialog. Choosing a preset copies its two numbers into the fields; editing a
// field selects the preset that reads the same, or none.
#include "shell/project_settings_form.h"

#include "platform/ini_file.h"
#include "platform/lang.h"
#include "shell/translate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

TProjectSettings::TProjectSettings(QWidget* parent) : QDialog(parent)
{
    setObjectName("ProjectSettings");
    setWindowTitle("Project Settings");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* sizeBox = new QGroupBox("Window Size", this);
    sizeBox->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(sizeBox);
    auto* widthLabel = new QLabel("Width :", sizeBox);
    widthLabel->setObjectName("Label1");
    m_width = new QLineEdit(sizeBox);
    m_width->setObjectName("Edit1");
    m_width->setValidator(new QIntValidator(0, 99999, m_width));
    auto* heightLabel = new QLabel("Height :", sizeBox);
    heightLabel->setObjectName("Label2");
    m_height = new QLineEdit(sizeBox);
    m_height->setObjectName("Edit2");
    m_height->setValidator(new QIntValidator(0, 99999, m_height));
    auto* presetLabel = new QLabel("Quick Preset :", sizeBox);
    presetLabel->setObjectName("Label3");
    m_preset = new QComboBox(sizeBox);
    m_preset->setObjectName("ComboBox1");
    m_preset->addItems(presets());
    m_preset->setCurrentIndex(-1);
    widthLabel->setBuddy(m_width);
    heightLabel->setBuddy(m_height);
    presetLabel->setBuddy(m_preset);
    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(heightLabel, 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(presetLabel, 2, 0);
    grid->addWidget(m_preset, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(sizeBox);

    auto* titleBox = new QGroupBox("Window Title", this);
    titleBox->setObjectName("GroupBox2");
    auto* titleLayout = new QVBoxLayout(titleBox);
    m_title = new QLineEdit(titleBox);
    m_title->setObjectName("Edit3");
    titleLayout->addWidget(m_title);
    layout->addWidget(titleBox);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("Button1");
    ok->setDefault(true);
    auto* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Button2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_preset, &QComboBox::activated, this, &TProjectSettings::presetChosen);
    connect(m_width, &QLineEdit::textEdited, this, &TProjectSettings::sizeEdited);
    connect(m_height, &QLineEdit::textEdited, this, &TProjectSettings::sizeEdited);
    setMinimumWidth(320);
}

QStringList TProjectSettings::presets()
{
    return {"200 x 200", "320 x 200", "380 x 200", "400 x 320", "600 x 400", "640 x 480", "800 x 600"};
}

void TProjectSettings::prepare(int clientWidth, int clientHeight, const QString& title)
{
    m_width->setText(QString::number(clientWidth));
    m_height->setText(QString::number(clientHeight));
    sizeEdited();
    m_title->setText(title);
    TranslateForm(this);
    platform::IniFile ini;
    if (ini.load(platform::currentLanguageFile())) {
        const std::string caption = platform::clipLookup(ini.readString("ProjectSettings", "Caption", ""));
        setWindowTitle(caption.empty() ? QString("Project Settings") : QString::fromStdString(caption));
    } else {
        setWindowTitle("Project Settings");
    }
}

void TProjectSettings::presetChosen(int index)
{
    if (index < 0)
        return;
    const QString text = m_preset->itemText(index);
    m_width->setText(text.mid(0, 3));
    m_height->setText(text.mid(6, 3));
}

void TProjectSettings::sizeEdited()
{
    const QString text = m_width->text() + " x " + m_height->text();
    m_preset->setCurrentIndex(m_preset->findText(text));
}

} // namespace shell
