// The experiment dialogs and result windows as a user drives them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "QtTestApp.h"
#include "level/AssignmentExperiment.h"
#include "model/LattixDoc.h"
#include "shell/ExperimentCommands.h"
#include "shell/dialogs/ExperimentDialogs.h"
#include "shell/dialogs/ExperimentResults.h"

namespace {

TEST(LevelAssignmentsDialog, ShowsTheCountAndRefusesWhatExceedsTheBound) {
    RecordedBoxes boxes;
    CLevelAssignmentsDialog small(4, nullptr);
    EXPECT_TRUE(small.CountLabel()->text().contains("24 level assignments"));
    small.UpToK()->click();
    small.KField()->setText("3");
    EXPECT_TRUE(small.CountLabel()->text().contains("up to 81"));
    small.KField()->setText("x");
    small.accept();
    EXPECT_NE(small.result(), QDialog::Accepted);
    small.KField()->setText("3");
    small.accept();
    EXPECT_EQ(small.result(), QDialog::Accepted);
    EXPECT_EQ(small.Levels(), 3);

    CLevelAssignmentsDialog large(12, nullptr); // 479 001 600 > the bound
    large.accept();
    EXPECT_NE(large.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_NE(boxes.messages[1].find("100,000,000"), std::string::npos);
}

TEST(CensusDialog, SizesAreThreeToTwelveAndTheRangeRunsUpwards) {
    RecordedBoxes boxes;
    CCensusDialog dialog(nullptr);
    for (const char* to : {"13", "2"}) {
        dialog.ToField()->setText(to);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    dialog.FromField()->setText("7");
    dialog.ToField()->setText("6");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.messages.size(), 3u);
    dialog.ToField()->setText("12");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.From(), 7);
    EXPECT_EQ(dialog.To(), 12);
}

// The tree of 8 vertices that fails in some assignments: a path a-b-c-d-e with a branch
// at c to g, and two leaves f and h at g.
CLattixDoc* TreeDocument(Started& s) {
    CLattixDoc* doc = s.app.OnFileNew();
    std::vector<CVertex*> v;
    for (int i = 0; i < 8; ++i) {
        v.push_back(new CVertex(40 + 40 * i, 40, ColorIdToRgb(kColorIdBlue)));
        v.back()->m_name = std::string(1, static_cast<char>('a' + i));
        doc->AddElement(v.back());
    }
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 6}, {6, 5}, {6, 7}})
        doc->AddElement(new CEdge(v[a], v[b], kEdgeBlack));
    doc->CommitEdit();
    return doc;
}

TEST(LevelAssignmentsCommand, SavedAssignmentRoundTripsThroughApplyAsOneUndoStep) {
    Started s;
    CLattixDoc* doc = TreeDocument(s);
    const QString csv = QDir::tempPath() + "/arborix-assignments-test.csv";
    QFile::remove(csv);
    std::string countLine;
    s.app.Platform().m_dialogDriver = [&](QDialog& d) {
        if (auto* result = dynamic_cast<CAssignmentResultDialog*>(&d)) {
            countLine = result->CountLabel()->text().toStdString();
            result->m_askPath = [&](QWidget*) { return csv; };
            result->SaveButton()->click();
            ASSERT_GT(result->List()->count(), 0);
            result->List()->setCurrentRow(result->List()->count() - 1);
            result->ApplyButton()->click();
        }
        d.accept();
    };
    OnLevelAssignmentsOfDrawing(s.app, *doc);
    EXPECT_EQ(countLine, "The graph is non level planar in 32 level assignments out of 40320");

    const auto rows = ReadAssignmentCsv(csv.toStdString(), 8);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 32u);
    std::vector<int> tracks;
    for (CElement* e : doc->m_elements)
        if (CVertex* v = e->AsVertex()) tracks.push_back(v->m_trackNumber);
    EXPECT_EQ(tracks, rows->back());

    // The applied assignment is a counterexample, and undo takes it back in one step.
    s.boxes.messages.clear();
    doc->OnEditUndo();
    for (CElement* e : doc->m_elements)
        if (CVertex* v = e->AsVertex()) {
            EXPECT_EQ(v->m_trackNumber, 0);
        }
    doc->OnEditRedo();
    doc->OnLevelPlanarityTesting();
    EXPECT_EQ(s.boxes.messages, std::vector<std::string>{"The graph is not level planar"});
    QFile::remove(csv);
}

TEST(UlpCensusCommand, OpenDrawsTheTreeOnItsFirstFailingAssignment) {
    Started s;
    s.app.OnFileNew();
    CensusRow opened;
    s.app.Platform().m_dialogDriver = [&](QDialog& d) {
        if (auto* census = dynamic_cast<CCensusDialog*>(&d)) {
            census->FromField()->setText("8");
            census->ToField()->setText("8");
        } else if (auto* result = dynamic_cast<CCensusResultDialog*>(&d)) {
            EXPECT_EQ(result->Table()->rowCount(), 23);
            for (int r = 0; r < result->Table()->rowCount(); ++r)
                if (result->Table()->item(r, 1)->text() == "none") result->Table()->setCurrentCell(r, 0);
            result->m_open = [&, open = result->m_open](const CensusRow& row) {
                opened = row;
                open(row);
            };
            result->OpenButton()->click();
        }
        d.accept();
    };
    OnUlpCensus(s.app);
    ASSERT_EQ(opened.tally.firstFailing.size(), 8u);
    CLattixDoc* doc = s.app.Documents().back().get();
    std::vector<int> tracks;
    for (CElement* e : doc->m_elements)
        if (CVertex* v = e->AsVertex()) tracks.push_back(v->m_trackNumber);
    EXPECT_EQ(tracks, opened.tally.firstFailing);
    s.boxes.messages.clear();
    doc->OnLevelPlanarityTesting();
    EXPECT_EQ(s.boxes.messages, std::vector<std::string>{"The graph is not level planar"});
}

} // namespace
