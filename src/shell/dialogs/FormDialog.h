#pragma once
// Base of the small modal forms: OK and Cancel, and integer fields that refuse what is
// not an integer before the dialog may close.

#include <cstdint>
#include <optional>

#include <QDialog>

class QLineEdit;
class QDialogButtonBox;
class QVBoxLayout;

class CFormDialog : public QDialog {
    Q_OBJECT
public:
    CFormDialog(const QString& title, QWidget* parent);

    // Every field holds an acceptable value; otherwise the user has been told and the
    // offending field has the focus.
    virtual bool Validate() { return true; }
    void accept() override;

    QDialogButtonBox* Buttons() const { return m_buttons; }

protected:
    QVBoxLayout* Body() const { return m_body; }
    // Adds the OK/Cancel row; subclasses call it last.
    void FinishLayout();

    // A whole signed decimal integer, spaces around it allowed; otherwise "Please enter
    // an integer." and the field gets the focus.
    bool ReadInteger(QLineEdit* field, std::int32_t& value);
    // As ReadInteger, and inside [low, high]; otherwise the toolkit's range message.
    bool ReadIntegerInRange(QLineEdit* field, std::int32_t low, std::int32_t high, std::int32_t& value);

private:
    void Refuse(QLineEdit* field, const QString& message);

    QVBoxLayout* m_body;
    QDialogButtonBox* m_buttons;
};

// Parses an integer field the way the dialogs do; nullopt when the text is not one.
std::optional<std::int32_t> ParseIntegerField(const QString& text);
