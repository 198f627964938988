#include "shell/dialogs/FormDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/MessageBoxes.h"

std::optional<std::int32_t> ParseIntegerField(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

CFormDialog::CFormDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);
    m_body = new QVBoxLayout(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CFormDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CFormDialog::reject);
}

void CFormDialog::FinishLayout() {
    m_body->addWidget(m_buttons);
    setFixedSize(sizeHint());
}

void CFormDialog::accept() {
    if (Validate()) QDialog::accept();
}

void CFormDialog::Refuse(QLineEdit* field, const QString& message) {
    ShowMessageBox(this, message, MessageIcon::Exclamation);
    field->setFocus();
    field->selectAll();
}

bool CFormDialog::ReadInteger(QLineEdit* field, std::int32_t& value) {
    const auto parsed = ParseIntegerField(field->text());
    if (!parsed) {
        Refuse(field, "Please enter an integer.");
        return false;
    }
    value = *parsed;
    return true;
}

bool CFormDialog::ReadIntegerInRange(QLineEdit* field, std::int32_t low, std::int32_t high, std::int32_t& value) {
    std::int32_t parsed = 0;
    if (!ReadInteger(field, parsed)) return false;
    if (parsed < low || parsed > high) {
        Refuse(field, QString("Please enter an integer between %1 and %2.").arg(low).arg(high));
        return false;
    }
    value = parsed;
    return true;
}
