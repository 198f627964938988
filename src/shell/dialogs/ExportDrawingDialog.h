#pragma once
// "Export Drawing": the format, guides and track numbers, margin, whole drawing or
// selection, and the scale of a PNG image.

#include "shell/dialogs/FormDialog.h"
#include "shell/formats/DrawingExport.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;

struct ExportDrawingValues {
    DrawingFormat format = DrawingFormat::Pdf;
    DrawingExportOptions options;
};

// The file-dialog filter and the extension of a format ("PDF document (*.pdf)", "pdf").
QString ExportFilterOf(DrawingFormat format);
QString ExportSuffixOf(DrawingFormat format);

class CExportDrawingDialog : public CFormDialog {
    Q_OBJECT
public:
    // `hasSelection`: whether "Selection only" can be chosen.
    CExportDrawingDialog(const ExportDrawingValues& initial, bool hasSelection, QWidget* parent);
    bool Validate() override;
    ExportDrawingValues Values() const { return m_values; }

    QComboBox* FormatBox() const { return m_format; }
    QCheckBox* GuidesBox() const { return m_guides; }
    QLineEdit* MarginField() const { return m_margin; }
    QRadioButton* SelectionButton() const { return m_selection; }
    QDoubleSpinBox* ScaleBox() const { return m_scale; }

private:
    DrawingFormat Format() const;

    QComboBox* m_format;
    QCheckBox* m_guides;
    QLineEdit* m_margin;
    QRadioButton* m_whole;
    QRadioButton* m_selection;
    QDoubleSpinBox* m_scale;
    ExportDrawingValues m_values;
};
