#pragma once
// Dialogs whose fields are integers: "Track Number" and "Generate Random Tree".

#include <cstdint>

#include "shell/dialogs/FormDialog.h"

class QLineEdit;

class CTrackNumberDialog : public CFormDialog {
    Q_OBJECT
public:
    CTrackNumberDialog(std::int32_t initial, QWidget* parent);
    bool Validate() override;
    std::int32_t Value() const { return m_value; }
    QLineEdit* Field() const { return m_field; }

private:
    QLineEdit* m_field;
    std::int32_t m_value;
};

// The size dialog of the random tree commands: 3 to 1000 vertices.
class CRandomTreeDialog : public CFormDialog {
    Q_OBJECT
public:
    CRandomTreeDialog(std::int32_t initial, QWidget* parent);
    bool Validate() override;
    std::int32_t m_numVertices;
    QLineEdit* Field() const { return m_field; }

private:
    QLineEdit* m_field;
};
