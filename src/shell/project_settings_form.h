// The Project Settings dialog: the design form's client size (with quick presets) and its caption.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace shell {

class TProjectSettings : public QDialog {
    Q_OBJECT
public:
    explicit TProjectSettings(QWidget* parent = nullptr);

    // Fills the fields from the form, selects the matching preset and translates the dialog.
    void prepare(int clientWidth, int clientHeight, const QString& title);

    static QStringList presets();

    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QLineEdit* titleField() const { return m_title; }
    QComboBox* presetBox() const { return m_preset; }

private:
    void presetChosen(int index);
    void sizeEdited();

    QLineEdit* m_width;
    QLineEdit* m_height;
    QComboBox* m_preset;
    QLineEdit* m_title;
    bool m_updating = false;
};

} // namespace shell
