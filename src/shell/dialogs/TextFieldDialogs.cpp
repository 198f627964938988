#include "shell/dialogs/TextFieldDialogs.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CTextFieldDialog::CTextFieldDialog(const QString& title, const QString& label, const QString& initial,
                                   QWidget* parent)
    : CFormDialog(title, parent) {
    auto* form = new QFormLayout;
    m_field = new QLineEdit(initial, this);
    m_field->selectAll();
    form->addRow(label, m_field);
    Body()->addLayout(form);
    FinishLayout();
}

QString CTextFieldDialog::Text() const { return m_field->text(); }
