#include "shell/dialogs/ExportDrawingDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct FormatRow {
    DrawingFormat format;
    const char* name;
    const char* filter;
    const char* suffix;
};

const FormatRow kFormats[] = {
    {DrawingFormat::Pdf, "PDF", "PDF Document (*.pdf)", "pdf"},
    {DrawingFormat::Svg, "SVG", "SVG Picture (*.svg)", "svg"},
    {DrawingFormat::Png, "PNG", "PNG Image (*.png)", "png"},
    {DrawingFormat::Tikz, "TikZ (LaTeX)", "TikZ Figure (*.tex)", "tex"},
    {DrawingFormat::Ipe, "Ipe", "Ipe Drawing (*.ipe)", "ipe"},
    {DrawingFormat::Dot, "DOT (Graphviz)", "DOT Graph (*.dot)", "dot"},
};

const FormatRow& RowOf(DrawingFormat format) {
    for (const FormatRow& r : kFormats)
        if (r.format == format) return r;
    return kFormats[0];
}

} // namespace

QString ExportFilterOf(DrawingFormat format) { return RowOf(format).filter; }
QString ExportSuffixOf(DrawingFormat format) { return RowOf(format).suffix; }

CExportDrawingDialog::CExportDrawingDialog(const ExportDrawingValues& initial, bool hasSelection, QWidget* parent)
    : CFormDialog("Export Drawing", parent), m_values(initial) {
    auto* form = new QFormLayout;
    m_format = new QComboBox(this);
    for (const FormatRow& r : kFormats) m_format->addItem(r.name, int(r.format));
    m_format->setCurrentIndex(m_format->findData(int(initial.format)));
    form->addRow("&Format", m_format);
    m_margin = new QLineEdit(QString::number(initial.options.margin), this);
    form->addRow("&Margin (pixels)", m_margin);
    m_scale = new QDoubleSpinBox(this);
    m_scale->setRange(0.25, 16);
    m_scale->setSingleStep(0.5);
    m_scale->setDecimals(2);
    m_scale->setValue(initial.options.scale);
    form->addRow("&Scale (PNG)", m_scale);
    Body()->addLayout(form);

    m_guides = new QCheckBox("Draw &guides and track numbers", this);
    m_guides->setChecked(initial.options.guides);
    Body()->addWidget(m_guides);

    auto* what = new QGroupBox("Export", this);
    auto* whatLayout = new QVBoxLayout(what);
    m_whole = new QRadioButton("&Whole drawing", what);
    m_selection = new QRadioButton("Se&lection only", what);
    whatLayout->addWidget(m_whole);
    whatLayout->addWidget(m_selection);
    m_selection->setEnabled(hasSelection);
    (initial.options.selectionOnly && hasSelection ? m_selection : m_whole)->setChecked(true);
    Body()->addWidget(what);
    FinishLayout();

    auto rules = [this] { m_scale->setEnabled(Format() == DrawingFormat::Png); };
    connect(m_format, &QComboBox::currentIndexChanged, this, rules);
    rules();
}

DrawingFormat CExportDrawingDialog::Format() const { return DrawingFormat(m_format->currentData().toInt()); }

bool CExportDrawingDialog::Validate() {
    ExportDrawingValues v;
    if (!ReadIntegerInRange(m_margin, 0, 1000, v.options.margin)) return false;
    v.format = Format();
    v.options.guides = m_guides->isChecked();
    v.options.selectionOnly = m_selection->isChecked();
    v.options.scale = m_scale->value();
    m_values = v;
    return true;
}
