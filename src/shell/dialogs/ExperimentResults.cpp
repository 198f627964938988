#include "shell/dialogs/ExperimentResults.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/MessageBoxes.h"

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QDialogButtonBox* ButtonRow(QDialog* dialog, QPushButton*& save, QPushButton*& action, const char* actionText) {
    auto* buttons = new QDialogButtonBox(dialog);
    save = buttons->addButton("Save as CSV", QDialogButtonBox::ActionRole);
    action = buttons->addButton(actionText, QDialogButtonBox::ActionRole);
    action->setEnabled(false);
    QObject::connect(buttons->addButton(QDialogButtonBox::Close), &QPushButton::clicked, dialog, &QDialog::accept);
    return buttons;
}

} // namespace

QString AskCsvPath(QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, "Save as CSV", {}, "CSV files (*.csv);;All files (*)");
}

CAssignmentResultDialog::CAssignmentResultDialog(AssignmentExperimentResult result, std::vector<std::string> vertexNames,
                                                 QWidget* parent)
    : QDialog(parent), m_result(std::move(result)), m_names(std::move(vertexNames)) {
    setWindowTitle("Level Assignments of the Drawing");
    auto* body = new QVBoxLayout(this);
    m_countLabel = new QLabel(Text(AssignmentCountLine(m_result)), this);
    body->addWidget(m_countLabel);
    if (!m_result.complete) body->addWidget(new QLabel("Cancelled: the counts are partial.", this));
    QString names;
    for (const std::string& name : m_names) names += (names.isEmpty() ? "" : " ") + Text(name.empty() ? "?" : name);
    body->addWidget(new QLabel(QString("Failing assignments (the first %1 of %2), tracks of %3:")
                                   .arg(m_result.failures.size())
                                   .arg(m_result.failing)
                                   .arg(names),
                               this));
    m_list = new QListWidget(this);
    for (const std::vector<int>& levels : m_result.failures) m_list->addItem(Text(AssignmentText(levels)));
    body->addWidget(m_list);
    body->addWidget(ButtonRow(this, m_saveButton, m_applyButton, "Apply"));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_applyButton->setEnabled(row >= 0); });
    connect(m_saveButton, &QPushButton::clicked, this, &CAssignmentResultDialog::Save);
    connect(m_applyButton, &QPushButton::clicked, this, [this] {
        const int row = m_list->currentRow();
        if (row >= 0 && m_apply) m_apply(m_result.failures[static_cast<std::size_t>(row)]);
    });
    resize(520, 420);
}

void CAssignmentResultDialog::Save() {
    const QString path = m_askPath(this);
    if (path.isEmpty()) return;
    if (!WriteAssignmentCsv(m_result, m_names, path.toStdString()))
        ShowMessageBox(this, "Cannot write " + path, MessageIcon::Exclamation);
}

CCensusResultDialog::CCensusResultDialog(CensusResult result, QWidget* parent)
    : QDialog(parent), m_result(std::move(result)) {
    setWindowTitle("ULP Census");
    auto* body = new QVBoxLayout(this);
    m_summary = new QLabel(Text(CensusSummary(m_result)), this);
    m_summary->setWordWrap(true);
    body->addWidget(m_summary);
    m_table = new QTableWidget(static_cast<int>(m_result.rows.size()), 5, this);
    m_table->setHorizontalHeaderLabels({"Tree", "Class", "Failing", "Total", "First failing"});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const CensusRow& row = m_result.rows[static_cast<std::size_t>(r)];
        const QString cells[] = {Text(CensusEdgeText(row.edges)), Text(std::string(UlpTreeClassName(row.treeClass))),
                                 QString::number(row.tally.failing), QString::number(row.tally.total),
                                 Text(AssignmentText(row.tally.firstFailing))};
        for (int c = 0; c < 5; ++c) m_table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_table->resizeColumnsToContents();
    body->addWidget(m_table);
    body->addWidget(ButtonRow(this, m_saveButton, m_openButton, "Open"));
    connect(m_table, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { m_openButton->setEnabled(row >= 0); });
    connect(m_saveButton, &QPushButton::clicked, this, &CCensusResultDialog::Save);
    connect(m_openButton, &QPushButton::clicked, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0 && m_open) m_open(m_result.rows[static_cast<std::size_t>(row)]);
    });
    resize(760, 520);
}

void CCensusResultDialog::Save() {
    const QString path = m_askPath(this);
    if (path.isEmpty()) return;
    if (!WriteCensusCsv(m_result, path.toStdString()))
        ShowMessageBox(this, "Cannot write " + path, MessageIcon::Exclamation);
}
