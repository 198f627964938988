#include "shell/dialogs/IntegerDialogs.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CTrackNumberDialog::CTrackNumberDialog(std::int32_t initial, QWidget* parent)
    : CFormDialog("Track Number", parent), m_value(initial) {
    auto* form = new QFormLayout;
    m_field = new QLineEdit(QString::number(initial), this);
    m_field->selectAll();
    form->addRow("New Track Number:", m_field);
    Body()->addLayout(form);
    FinishLayout();
}

bool CTrackNumberDialog::Validate() { return ReadInteger(m_field, m_value); }

CRandomTreeDialog::CRandomTreeDialog(std::int32_t initial, QWidget* parent)
    : CFormDialog("Generate Random Tree", parent), m_numVertices(initial) {
    auto* form = new QFormLayout;
    m_field = new QLineEdit(QString::number(initial), this);
    m_field->selectAll();
    form->addRow("Number of Vertices:", m_field);
    Body()->addLayout(form);
    FinishLayout();
}

bool CRandomTreeDialog::Validate() { return ReadIntegerInRange(m_field, 3, 1000, m_numVertices); }
