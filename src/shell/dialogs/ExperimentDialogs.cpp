#include "shell/dialogs/ExperimentDialogs.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include "level/AssignmentExperiment.h"
#include "level/UlpCensus.h"
#include "shell/MessageBoxes.h"

namespace {

QString Number(std::int64_t n) { return QLocale(QLocale::English).toString(static_cast<qlonglong>(n)); }

QString BoundText() { return "At most " + Number(kMaxExperimentAssignments) + " assignments are tested."; }

} // namespace

CLevelAssignmentsDialog::CLevelAssignmentsDialog(int vertexCount, QWidget* parent)
    : CFormDialog("Level Assignments of the Drawing", parent), m_vertexCount(vertexCount) {
    m_onePerLevel = new QRadioButton("One vertex per level", this);
    m_upToK = new QRadioButton("Levels 1 to K", this);
    m_onePerLevel->setChecked(true);
    m_k = new QLineEdit("3", this);
    m_k->setEnabled(false);
    m_count = new QLabel(this);
    auto* form = new QFormLayout;
    form->addRow(m_onePerLevel);
    form->addRow(m_upToK);
    form->addRow("K:", m_k);
    Body()->addLayout(form);
    Body()->addWidget(m_count);
    Body()->addWidget(new QLabel(BoundText(), this));
    connect(m_upToK, &QRadioButton::toggled, this, [this](bool on) {
        m_k->setEnabled(on);
        ShowCount();
    });
    connect(m_k, &QLineEdit::textChanged, this, [this] { ShowCount(); });
    ShowCount();
    FinishLayout();
    setMinimumWidth(360);
}

int CLevelAssignmentsDialog::ChosenLevels() const {
    if (m_onePerLevel->isChecked()) return 0;
    const auto k = ParseIntegerField(m_k->text());
    return k && *k >= 1 && *k <= 1000 ? *k : -1;
}

void CLevelAssignmentsDialog::ShowCount() {
    const int levels = ChosenLevels();
    if (levels < 0) {
        m_count->setText("K is a number of levels from 1 to 1000.");
        return;
    }
    const auto count = AssignmentCountBound(m_vertexCount, levels);
    const QString amount = count ? Number(*count) : QString("more than 9,223,372,036,854,775,807");
    m_count->setText(levels == 0 ? QString("%1 vertices: %2 level assignments.").arg(m_vertexCount).arg(amount)
                                 : QString("%1 vertices: up to %2 level assignments.").arg(m_vertexCount).arg(amount));
}

bool CLevelAssignmentsDialog::Validate() {
    const int levels = ChosenLevels();
    if (levels < 0) {
        ShowMessageBox(this, "Please enter a number of levels from 1 to 1000.", MessageIcon::Exclamation);
        m_k->setFocus();
        return false;
    }
    const auto count = AssignmentCountBound(m_vertexCount, levels);
    if (!count || *count > kMaxExperimentAssignments) {
        ShowMessageBox(this, "Too many level assignments. " + BoundText(), MessageIcon::Exclamation);
        return false;
    }
    m_levels = levels;
    return true;
}

CCensusDialog::CCensusDialog(QWidget* parent) : CFormDialog("ULP Census", parent) {
    auto* form = new QFormLayout;
    m_fromField = new QLineEdit(QString::number(m_from), this);
    m_toField = new QLineEdit(QString::number(m_to), this);
    form->addRow("From vertices:", m_fromField);
    form->addRow("To vertices:", m_toField);
    Body()->addLayout(form);
    Body()->addWidget(new QLabel("Every free tree of each size, 3 to 12 vertices.", this));
    FinishLayout();
}

bool CCensusDialog::Validate() {
    if (!ReadIntegerInRange(m_fromField, kCensusMinVertices, kCensusMaxVertices, m_from)) return false;
    if (!ReadIntegerInRange(m_toField, m_from, kCensusMaxVertices, m_to)) return false;
    return true;
}
