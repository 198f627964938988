#include "shell/dialogs/ChoiceDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

// ---------------------------------------------------------------- Color Tracks Randomly

CColorTrackDialog::CColorTrackDialog(const ColorTracksDialogValues& initial, QWidget* parent)
    : CFormDialog("Color Tracks Randomly", parent), m_values(initial) {
    auto* form = new QFormLayout;
    m_from = new QLineEdit(QString::number(initial.fromTrack), this);
    m_to = new QLineEdit(QString::number(initial.toTrack), this);
    m_colors = new QComboBox(this);
    for (int n = 1; n <= 15; ++n) m_colors->addItem(QString::number(n));
    m_colors->setCurrentIndex(std::clamp(initial.colorCountIndex, 0, 14));
    form->addRow("From Track:", m_from);
    form->addRow("to Track:", m_to);
    form->addRow("Number of Colors:", m_colors);
    Body()->addLayout(form);
    FinishLayout();
}

bool CColorTrackDialog::Validate() {
    ColorTracksDialogValues v;
    if (!ReadInteger(m_from, v.fromTrack) || !ReadInteger(m_to, v.toTrack)) return false;
    v.colorCountIndex = m_colors->currentIndex();
    m_values = v;
    return true;
}

// ---------------------------------------------------------------- Draw

CAnimateDialog::CAnimateDialog(const DrawDialogValues& initial, QWidget* parent)
    : CFormDialog("Draw", parent), m_values(initial) {
    m_animate = new QCheckBox("Animate", this);
    m_animate->setChecked(initial.animate);
    m_delay = new QComboBox(this);
    m_delay->setEditable(true);
    for (const char* ms : {"250", "500", "750", "1000", "1250", "1500"}) m_delay->addItem(ms);
    m_delay->setEditText(QString::fromStdString(initial.stepDelayText));
    m_delay->setEnabled(initial.animate);
    connect(m_animate, &QCheckBox::toggled, m_delay, &QWidget::setEnabled);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Step delay", this));
    row->addWidget(m_delay);
    row->addWidget(new QLabel("Milliseconds", this));
    Body()->addWidget(m_animate);
    Body()->addLayout(row);
    FinishLayout();
}

bool CAnimateDialog::Validate() {
    m_values.animate = m_animate->isChecked();
    m_values.stepDelayText = m_delay->currentText().toStdString();
    return true;
}

// ---------------------------------------------------------------- Relabel Vertices

CRelabelVertices::CRelabelVertices(int selectedVertices, QWidget* parent) : CFormDialog("Relabel Vertices", parent) {
    auto* group = new QGroupBox("Format", this);
    auto* layout = new QVBoxLayout(group);
    const char* names[3] = {"Lowercase (a,b,...,z)", "Uppercase (A,B,...,Z)", "Numbers (1,2,...)"};
    for (int i = 0; i < 3; ++i) {
        // Three independent buttons: a click on one clears the other two.
        m_buttons[i] = new QRadioButton(names[i], group);
        m_buttons[i]->setAutoExclusive(false);
        layout->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QRadioButton::clicked, this, [this, i] {
            for (int j = 0; j < 3; ++j) m_buttons[j]->setChecked(j == i);
        });
    }
    const bool tooMany = selectedVertices > 26;
    m_buttons[tooMany ? 2 : 0]->setChecked(true);
    m_buttons[0]->setEnabled(!tooMany);
    m_buttons[1]->setEnabled(!tooMany);
    Body()->addWidget(group);
    FinishLayout();
}

bool CRelabelVertices::Validate() {
    // Each button is read on its own, first chosen wins.
    for (int i = 0; i < 3; ++i)
        if (m_buttons[i]->isChecked()) {
            m_format = static_cast<RelabelFormat>(i);
            return true;
        }
    m_format = RelabelFormat::Lowercase;
    return true;
}
