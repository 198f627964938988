// The dialogs as a user drives them: fields, enabling rules and what OK refuses.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "QtTestApp.h"
#include "shell/QtPlatform.h"
#include "shell/dialogs/ChoiceDialogs.h"
#include "shell/dialogs/GuidesDialog.h"
#include "shell/dialogs/IntegerDialogs.h"
#include "shell/dialogs/TextFieldDialogs.h"

TEST(IntegerFields, NonIntegersAreRefusedAndTheDialogStaysOpen) {
    RecordedBoxes boxes;
    CTrackNumberDialog dialog(3, nullptr);
    EXPECT_EQ(dialog.Field()->text(), "3");
    dialog.Field()->setText("12a");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.messages, std::vector<std::string>{"Please enter an integer."});

    dialog.Field()->setText(" -7 ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), -7);
    EXPECT_EQ(boxes.messages.size(), 1u);
}

TEST(IntegerFields, RandomTreeSizeIsThreeToAThousand) {
    RecordedBoxes boxes;
    CRandomTreeDialog dialog(10, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Generate Random Tree");
    EXPECT_EQ(dialog.Field()->text(), "10");
    dialog.Field()->setText("2");
    dialog.accept();
    dialog.Field()->setText("ten");
    dialog.accept();
    dialog.Field()->setText("1001");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.messages, (std::vector<std::string>{"Please enter an integer between 3 and 1000.",
                                                        "Please enter an integer.",
                                                        "Please enter an integer between 3 and 1000."}));
    dialog.Field()->setText("1000");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_numVertices, 1000);
}

TEST(GuidesDialog, EnablingFollowsTheModeAndSeparationsMustBeIntegers) {
    RecordedBoxes boxes;
    GuidesDialogValues initial;
    CGuidesDialog dialog(initial, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Grid and Tracks");
    EXPECT_TRUE(dialog.ModeButton(0)->isChecked());
    EXPECT_FALSE(dialog.SnapBox()->isEnabled());
    EXPECT_FALSE(dialog.LockBox()->isEnabled());

    dialog.ModeButton(2)->click(); // Vertical
    EXPECT_TRUE(dialog.SnapBox()->isEnabled());
    EXPECT_FALSE(dialog.LockBox()->isEnabled());
    EXPECT_FALSE(dialog.DashedBox()->isEnabled());
    dialog.ModeButton(3)->click(); // Grid
    EXPECT_TRUE(dialog.LockBox()->isEnabled());
    EXPECT_TRUE(dialog.DashedBox()->isEnabled());

    dialog.SnapBox()->setChecked(true);
    dialog.XField()->setText("x5");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.messages.size(), 1u);
    // Values below 10 pass: the command raises them with its own message.
    dialog.XField()->setText("5");
    dialog.YField()->setText("40");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const GuidesDialogValues v = dialog.Values();
    EXPECT_EQ(v.mode, 3);
    EXPECT_TRUE(v.snapToGuides);
    EXPECT_EQ(v.xSeparation, 5);
    EXPECT_EQ(v.ySeparation, 40);
}

TEST(ChoiceDialogs, DrawDialogEnablesTheDelayWithAnimate) {
    TestApp();
    CAnimateDialog dialog(DrawDialogValues{false, "500"}, nullptr);
    EXPECT_FALSE(dialog.DelayBox()->isEnabled());
    EXPECT_EQ(dialog.DelayBox()->currentText(), "500");
    EXPECT_EQ(dialog.DelayBox()->count(), 6);
    dialog.AnimateBox()->click();
    EXPECT_TRUE(dialog.DelayBox()->isEnabled());
    dialog.DelayBox()->setEditText("20000");
    dialog.accept();
    EXPECT_TRUE(dialog.Values().animate);
    EXPECT_EQ(dialog.Values().stepDelayText, "20000"); // the command clamps it
    dialog.AnimateBox()->click();
    EXPECT_FALSE(dialog.DelayBox()->isEnabled());
}

TEST(ChoiceDialogs, RelabelButtonsExcludeEachOtherAndNumbersAloneBeyond26) {
    TestApp();
    CRelabelVertices few(3, nullptr);
    EXPECT_TRUE(few.FormatButton(RelabelFormat::Lowercase)->isChecked());
    few.FormatButton(RelabelFormat::Uppercase)->click();
    EXPECT_FALSE(few.FormatButton(RelabelFormat::Lowercase)->isChecked());
    EXPECT_TRUE(few.FormatButton(RelabelFormat::Uppercase)->isChecked());
    few.FormatButton(RelabelFormat::Uppercase)->click(); // a second click keeps it chosen
    EXPECT_TRUE(few.FormatButton(RelabelFormat::Uppercase)->isChecked());
    few.accept();
    EXPECT_EQ(few.Format(), RelabelFormat::Uppercase);

    CRelabelVertices many(27, nullptr);
    EXPECT_TRUE(many.FormatButton(RelabelFormat::Numbers)->isChecked());
    EXPECT_FALSE(many.FormatButton(RelabelFormat::Lowercase)->isEnabled());
    EXPECT_FALSE(many.FormatButton(RelabelFormat::Uppercase)->isEnabled());
}

TEST(ChoiceDialogs, ColorTracksStartsWithTheWholeRangeAndEightColours) {
    TestApp();
    CColorTrackDialog dialog(ColorTracksDialogValues{}, nullptr);
    EXPECT_EQ(dialog.FromField()->text(), "0");
    EXPECT_EQ(dialog.ToField()->text(), "1999");
    EXPECT_EQ(dialog.ColorsList()->currentText(), "8");
    dialog.FromField()->setText("50");
    dialog.ToField()->setText("10");
    dialog.accept();
    EXPECT_EQ(dialog.Values().fromTrack, 50); // the command orders the range
    EXPECT_EQ(dialog.Values().colorCountIndex, 7);
}

TEST(PlatformDialogs, ADriverFillsAndConfirmsTheModalDialog) {
    RecordedBoxes boxes;
    QtPlatform platform;
    platform.m_dialogDriver = [](QDialog& dialog) {
        auto* weight = dynamic_cast<CWeightDialog*>(&dialog);
        ASSERT_NE(weight, nullptr);
        EXPECT_EQ(weight->windowTitle(), "Weight");
        weight->Field()->setText("a12");
        weight->accept();
    };
    EXPECT_EQ(platform.RunTextDialog(TextDialogKind::Weight, "4"), std::optional<std::string>("a12"));

    platform.m_dialogDriver = [](QDialog& dialog) { dialog.reject(); };
    EXPECT_EQ(platform.RunTrackNumberDialog(2), std::nullopt);

    // A refused answer keeps the dialog open for the next one.
    platform.m_dialogDriver = [](QDialog& dialog) {
        auto& track = dynamic_cast<CTrackNumberDialog&>(dialog);
        track.Field()->setText("4x");
        track.accept();
        track.Field()->setText("4");
        track.accept();
    };
    EXPECT_EQ(platform.RunTrackNumberDialog(2), std::optional<std::int32_t>(4));
    EXPECT_EQ(boxes.messages, std::vector<std::string>{"Please enter an integer."});
}
