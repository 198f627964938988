#include "shell/dialogs/GuidesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CGuidesDialog::CGuidesDialog(const GuidesDialogValues& initial, QWidget* parent)
    : CFormDialog("Grid and Tracks", parent), m_values(initial) {
    auto* guides = new QGroupBox("Guide lines", this);
    auto* guideLayout = new QVBoxLayout(guides);
    auto* group = new QButtonGroup(this);
    const char* names[4] = {"None", "Horizontal", "Vertical", "Grid"};
    for (int mode = 0; mode < 4; ++mode) {
        m_modes[mode] = new QRadioButton(names[mode], guides);
        group->addButton(m_modes[mode], mode);
        guideLayout->addWidget(m_modes[mode]);
    }
    m_modes[std::clamp(initial.mode, 0, 3)]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this](int) { ApplyEnablingRules(); });

    m_snap = new QCheckBox("Snap to guidelines", this);
    m_lock = new QCheckBox("Lock node to guideline", this);
    m_dashed = new QCheckBox("Show dashed and dotted", this);
    m_snap->setChecked(initial.snapToGuides);
    m_lock->setChecked(initial.lockToTracks);
    m_dashed->setChecked(initial.dashedTracks);

    auto* separation = new QGroupBox("Separation", this);
    auto* sepLayout = new QFormLayout(separation);
    m_x = new QLineEdit(QString::number(initial.xSeparation), separation);
    m_y = new QLineEdit(QString::number(initial.ySeparation), separation);
    sepLayout->addRow("X", m_x);
    sepLayout->addRow("Y", m_y);

    auto* row = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_snap);
    checks->addWidget(m_lock);
    checks->addWidget(m_dashed);
    checks->addStretch();
    row->addWidget(guides);
    row->addLayout(checks);
    Body()->addLayout(row);
    Body()->addWidget(separation);
    FinishLayout();
    ApplyEnablingRules();
}

int CGuidesDialog::Mode() const {
    for (int mode = 0; mode < 4; ++mode)
        if (m_modes[mode]->isChecked()) return mode;
    return 0;
}

void CGuidesDialog::ApplyEnablingRules() {
    const int mode = Mode();
    m_snap->setEnabled(mode != 0);
    const bool tracks = mode == 1 || mode == 3;
    m_lock->setEnabled(tracks);
    m_dashed->setEnabled(tracks);
}

bool CGuidesDialog::Validate() {
    GuidesDialogValues v;
    if (!ReadInteger(m_x, v.xSeparation) || !ReadInteger(m_y, v.ySeparation)) return false;
    v.mode = Mode();
    v.snapToGuides = m_snap->isChecked();
    v.lockToTracks = m_lock->isChecked();
    v.dashedTracks = m_dashed->isChecked();
    m_values = v;
    return true;
}
