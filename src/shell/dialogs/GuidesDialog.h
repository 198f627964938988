#pragma once
// "Grid and Tracks": the guide mode, snapping, locking, dashed tracks and the separations
// of the active view.

#include "model/Platform.h"
#include "shell/dialogs/FormDialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CGuidesDialog : public CFormDialog {
    Q_OBJECT
public:
    CGuidesDialog(const GuidesDialogValues& initial, QWidget* parent);
    bool Validate() override;
    GuidesDialogValues Values() const { return m_values; }

    QRadioButton* ModeButton(int mode) const { return m_modes[mode]; }
    QCheckBox* SnapBox() const { return m_snap; }
    QCheckBox* LockBox() const { return m_lock; }
    QCheckBox* DashedBox() const { return m_dashed; }
    QLineEdit* XField() const { return m_x; }
    QLineEdit* YField() const { return m_y; }

private:
    int Mode() const;
    void ApplyEnablingRules();

    QRadioButton* m_modes[4];
    QCheckBox* m_snap;
    QCheckBox* m_lock;
    QCheckBox* m_dashed;
    QLineEdit* m_x;
    QLineEdit* m_y;
    GuidesDialogValues m_values;
};
