#pragma once
// The result windows of the experiments: the failing level assignments of the drawing
// (with "Save as CSV" and "Apply") and the census table (with "Save as CSV" and "Open").

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "level/AssignmentExperiment.h"
#include "level/UlpCensus.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// Asks for the path of a CSV file to write; empty when the user cancels.
using CsvPathQuestion = std::function<QString(QWidget* parent)>;
QString AskCsvPath(QWidget* parent);

class CAssignmentResultDialog : public QDialog {
    Q_OBJECT
public:
    CAssignmentResultDialog(AssignmentExperimentResult result, std::vector<std::string> vertexNames, QWidget* parent);

    // Puts the chosen assignment on the drawing.
    std::function<void(const std::vector<int>& levels)> m_apply;
    CsvPathQuestion m_askPath = AskCsvPath;

    QListWidget* List() const { return m_list; }
    QPushButton* ApplyButton() const { return m_applyButton; }
    QPushButton* SaveButton() const { return m_saveButton; }
    QLabel* CountLabel() const { return m_countLabel; }

private:
    void Save();

    AssignmentExperimentResult m_result;
    std::vector<std::string> m_names;
    QLabel* m_countLabel;
    QListWidget* m_list;
    QPushButton* m_saveButton;
    QPushButton* m_applyButton;
};

class CCensusResultDialog : public QDialog {
    Q_OBJECT
public:
    CCensusResultDialog(CensusResult result, QWidget* parent);

    // Opens the tree of a row in a new document.
    std::function<void(const CensusRow& row)> m_open;
    CsvPathQuestion m_askPath = AskCsvPath;

    QTableWidget* Table() const { return m_table; }
    QPushButton* OpenButton() const { return m_openButton; }
    QPushButton* SaveButton() const { return m_saveButton; }
    QLabel* SummaryLabel() const { return m_summary; }

private:
    void Save();

    CensusResult m_result;
    QTableWidget* m_table;
    QLabel* m_summary;
    QPushButton* m_saveButton;
    QPushButton* m_openButton;
};
