// File > Compare… on the desktop: the case on screen, saved or not, beside
// case files, shown as the engine compares them; Differences only, four
// cases at most, removal, export, the keyboard and F1.
#include "CaseAndBatchFiles.h"
#include "Comparison.h"
#include "FrmExSub.h"
#include "FrmInput.h"
#include "FrmReport.h"
#include "ScreenDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

namespace vyra::ui {
namespace {

using test::Child;

const QString kCases = QStringLiteral(VYRA_CASES_DIR "/");

ComparedCase FromFile(const char* name) { return SelectCompared(name, *ReadCaseFile((kCases + name).toStdString())); }

// The table as the dialog shows it against the engine's comparison of the
// same cases: every cell with its marks, bold where it differs.
void ExpectTableOf(QDialog& dialog, const std::vector<ComparedCase>& cases)
{
    const Comparison expected = CompareCases(cases);
    auto& table = Child<QTableWidget>(dialog, "grdCompare");
    ASSERT_EQ(table.columnCount(), static_cast<int>(cases.size()));
    ASSERT_EQ(table.rowCount(), static_cast<int>(expected.rows.size()));
    for (int r = 0; r < table.rowCount(); ++r) {
        const ComparisonRow& row = expected.rows[static_cast<std::size_t>(r)];
        for (int k = 0; k < table.columnCount(); ++k) {
            const auto at = static_cast<std::size_t>(k);
            const std::string cell = row.best[at] ? "[" + row.cells[at] + "]" : row.cells[at];
            EXPECT_EQ(table.item(r, k)->text().toStdString(), row.differs[at] ? cell + " *" : cell) << row.label;
            EXPECT_EQ(table.item(r, k)->font().bold(), row.differs[at]) << row.label;
        }
    }
}

TEST(CompareScreen, TheCaseOnScreenBesideCaseFiles)
{
    QTemporaryDir folder;
    test::ScriptedToolkit toolkit;
    FrmInput screen(toolkit);
    screen.OpenAtStart(kCases + "compare_base.vyracase");
    screen.show();
    // A change not saved is compared as it stands.
    Child<QLineEdit>(screen, "txtInput(2)").setText("4");
    Case onScreen = *ReadCaseFile((kCases + "compare_base.vyracase").toStdString());
    onScreen.form.txtInput[kItemWr] = "4";
    const QString pdf = folder.filePath("variants.pdf");
    toolkit.files = {folder.filePath("none.vyracase"), kCases + "compare_base_lbf.vyracase",
                     kCases + "compare_lighter_safe.vyracase", kCases + "compare_refused.vyracase", pdf};
    QString shown;
    toolkit.modalAnswers.push_back([&](QDialog& dialog) {
        auto& list = Child<QListWidget>(dialog, "lstCases");
        EXPECT_EQ(list.item(0)->text(), "compare_base.vyracase (on screen)");
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdExport").isEnabled());
        const bool letter = LocalPaper(QLocale()) == QPageSize::Letter;
        EXPECT_EQ(Child<QComboBox>(dialog, "cboPaper").currentText(), letter ? "Letter" : "A4");
        // A mnemonic presses its button as a click, which lands a moment later.
        for (qsizetype asked = 1; asked <= 4; ++asked) {
            test::PressKeys(dialog, QKeySequence(Qt::ALT | Qt::Key_A));
            EXPECT_TRUE(QTest::qWaitFor([&] { return toolkit.asked.size() == asked; }, 1000));
        }
        ASSERT_EQ(toolkit.messages.size(), 1);
        EXPECT_TRUE(toolkit.messages.takeFirst().contains("The case could not be added."));
        EXPECT_EQ(list.count(), 4);
        EXPECT_FALSE(Child<QPushButton>(dialog, "cmdAdd").isEnabled());
        std::vector<ComparedCase> cases{
            SelectCompared("compare_base.vyracase (on screen)", onScreen), FromFile("compare_base_lbf.vyracase"),
            FromFile("compare_lighter_safe.vyracase"), FromFile("compare_refused.vyracase")};
        ExpectTableOf(dialog, cases);
        EXPECT_TRUE(Child<QLabel>(dialog, "lblNotes").text().contains("Case 4 (compare_refused.vyracase) refused: "));
        // Differences only hides the entries in which no case differs.
        test::PressKeys(dialog, QKeySequence(Qt::ALT | Qt::Key_D));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QCheckBox>(dialog, "chkDifferences").isChecked(); }, 1000));
        auto& table = Child<QTableWidget>(dialog, "grdCompare");
        QStringList kept;
        for (int r = 0; r < 16; ++r) {
            kept << (table.isRowHidden(r) ? QString() : table.verticalHeaderItem(r)->text());
        }
        kept.removeAll(QString());
        EXPECT_EQ(kept, (QStringList{"unit", "type", "roller-weight Wr", "alpha"}));
        EXPECT_FALSE(table.isRowHidden(16));
        list.setCurrentRow(0);
        Child<QPushButton>(dialog, "cmdRemove").click();
        cases.erase(cases.begin());
        ExpectTableOf(dialog, cases);
        Child<QPushButton>(dialog, "cmdExport").click();
        EXPECT_TRUE(test::PdfText(pdf).contains("<Comparison of cases>"));
        test::PressKeys(dialog, QKeySequence(Qt::Key_F1));
        test::PressKeys(dialog, QKeySequence(Qt::Key_Escape));
        EXPECT_FALSE(dialog.isVisible());
    });
    toolkit.modalAnswers.push_back([&shown](QDialog& viewer) {
        shown = dynamic_cast<FrmExSub&>(viewer).RichTextBox1().textCursor().selectedText();
        viewer.reject();
    });
    const test::WorkingFolder documents(VYRA_DOCS_DIR);
    Child<QAction>(screen, "mnuCompare").trigger();
    EXPECT_EQ(shown, "Comparing cases side by side");
    EXPECT_TRUE(toolkit.messages.isEmpty()) << toolkit.messages.join('\n').toStdString();
}

}  // namespace
}  // namespace vyra::ui
