#pragma once
// The dialogs that start the experiments: "Level Assignments of the Drawing" and
// "ULP Census".

#include <cstdint>

#include "shell/dialogs/FormDialog.h"

class QLabel;
class QLineEdit;
class QRadioButton;

// One vertex per level (n! assignments) or the levels 1 to K (up to K^n); shows the count
// before the run and refuses counts above the bound it states.
class CLevelAssignmentsDialog : public CFormDialog {
    Q_OBJECT
public:
    CLevelAssignmentsDialog(int vertexCount, QWidget* parent);
    bool Validate() override;
    // 0 for one vertex per level, else K.
    int Levels() const { return m_levels; }
    QRadioButton* OnePerLevel() const { return m_onePerLevel; }
    QRadioButton* UpToK() const { return m_upToK; }
    QLineEdit* KField() const { return m_k; }
    QLabel* CountLabel() const { return m_count; }

private:
    void ShowCount();
    // The levels the fields ask for: 0, K, or -1 when K is not a number of levels.
    int ChosenLevels() const;

    int m_vertexCount;
    QRadioButton* m_onePerLevel;
    QRadioButton* m_upToK;
    QLineEdit* m_k;
    QLabel* m_count;
    int m_levels = 0;
};

// The range of tree sizes, 3 to 12.
class CCensusDialog : public CFormDialog {
    Q_OBJECT
public:
    explicit CCensusDialog(QWidget* parent);
    bool Validate() override;
    int From() const { return m_from; }
    int To() const { return m_to; }
    QLineEdit* FromField() const { return m_fromField; }
    QLineEdit* ToField() const { return m_toField; }

private:
    QLineEdit* m_fromField;
    QLineEdit* m_toField;
    std::int32_t m_from = 3, m_to = 8;
};
