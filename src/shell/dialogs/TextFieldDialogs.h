#pragma once
// The one-field text dialogs. The text goes back as typed; the command converts it.

#include <QString>

#include "shell/dialogs/FormDialog.h"

class QLineEdit;

class CTextFieldDialog : public CFormDialog {
    Q_OBJECT
public:
    CTextFieldDialog(const QString& title, const QString& label, const QString& initial, QWidget* parent);
    QString Text() const;
    QLineEdit* Field() const { return m_field; }

private:
    QLineEdit* m_field;
};

// "Reset Label Counter": "New Starting Number".
class CLabelCounterDialog : public CTextFieldDialog {
public:
    CLabelCounterDialog(const QString& initial, QWidget* parent)
        : CTextFieldDialog("Reset Label Counter", "New Starting Number", initial, parent) {}
};

// "Rename": "New name".
class CRenameDialog : public CTextFieldDialog {
public:
    CRenameDialog(const QString& initial, QWidget* parent) : CTextFieldDialog("Rename", "New name", initial, parent) {}
};

// "Resize": "New size".
class CSizeDialog : public CTextFieldDialog {
public:
    CSizeDialog(const QString& initial, QWidget* parent) : CTextFieldDialog("Resize", "New size", initial, parent) {}
};

// "Weight": "New weight".
class CWeightDialog : public CTextFieldDialog {
public:
    CWeightDialog(const QString& initial, QWidget* parent)
        : CTextFieldDialog("Weight", "New weight", initial, parent) {}
};
