#pragma once
// Dialogs of choices: "Color Tracks Randomly", "Draw" and "Relabel Vertices".

#include "model/Platform.h"
#include "shell/dialogs/FormDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CColorTrackDialog : public CFormDialog {
    Q_OBJECT
public:
    CColorTrackDialog(const ColorTracksDialogValues& initial, QWidget* parent);
    bool Validate() override;
    ColorTracksDialogValues Values() const { return m_values; }
    QLineEdit* FromField() const { return m_from; }
    QLineEdit* ToField() const { return m_to; }
    QComboBox* ColorsList() const { return m_colors; }

private:
    QLineEdit* m_from;
    QLineEdit* m_to;
    QComboBox* m_colors;
    ColorTracksDialogValues m_values;
};

class CAnimateDialog : public CFormDialog {
    Q_OBJECT
public:
    CAnimateDialog(const DrawDialogValues& initial, QWidget* parent);
    bool Validate() override;
    DrawDialogValues Values() const { return m_values; }
    QCheckBox* AnimateBox() const { return m_animate; }
    QComboBox* DelayBox() const { return m_delay; }

private:
    QCheckBox* m_animate;
    QComboBox* m_delay;
    DrawDialogValues m_values;
};

class CRelabelVertices : public CFormDialog {
    Q_OBJECT
public:
    CRelabelVertices(int selectedVertices, QWidget* parent);
    bool Validate() override;
    RelabelFormat Format() const { return m_format; }
    QRadioButton* FormatButton(RelabelFormat format) const { return m_buttons[static_cast<int>(format)]; }

private:
    QRadioButton* m_buttons[3];
    RelabelFormat m_format = RelabelFormat::Lowercase;
};
