#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormQues.h"
#include "pages/TFormQuesOpt.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace
{
// The questions page shown on its own over a test, with the error box and
// the open dialog answered by the test.
struct Page
{
    DLanguage language{DLanguage::English};
    DTest test;
    TFormMain main{test, language};
    TFormQues page{test, language, main};
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    QString openPath;
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    Page()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox(
            [this](const QString&, const QString& text)
            {
                questions << text;
                return answer;
            });
        main.SetOpenDialog([this] { return openPath; });
        page.resize(700, 400);
        page.show();
        QApplication::setActiveWindow(&page);
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&page)); }();
    }

    QTableWidget* Grid() const { return page.StringGrid; }
    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = Grid()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    QString Summary() const { return page.SumQuesSt->text(); }
    QPoint CellCenter(int row, int column) const { return Grid()->visualItemRect(Grid()->item(row, column)).center(); }
    void Click(int row, int column) const
    {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCenter(row, column));
    }
    // A click on a section of the header row or the number column.
    void ClickHeader(Qt::Orientation orientation, int section) const
    {
        QHeaderView* header = orientation == Qt::Horizontal ? Grid()->horizontalHeader() : Grid()->verticalHeader();
        const int along = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          orientation == Qt::Horizontal ? QPoint(along, 3) : QPoint(3, along));
    }
    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    // Types as the user would: into the open editor, else on the grid.
    void Type(const QString& text) const
    {
        for (const QChar c : text)
            QTest::keyClicks(Editor() ? static_cast<QWidget*>(Editor()) : Grid(), QString(c));
    }
    QPoint Current() const { return {Grid()->currentColumn(), Grid()->currentRow()}; }
};

// A test file whose questions are +, -, + with texts.
void WriteQuestions(const QString& path)
{
    DTest other;
    DQuesList& list = other.ques.List();
    list.SetSize(3, false);
    for (qint32 k = 0; k < 3; ++k)
        list.GetSelected(k).text.UserUpdate(QStringLiteral("Imported %1").arg(k + 1));
    list.GetSelected(1).type.Invert();
    other.file.Write(path);
}
} // namespace

class TestTFormQues : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showingFillsThePage()
    {
        Page p;
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 5 positive, 0 negative"));
        QCOMPARE(p.page.SumGb->title(), QStringLiteral("Summary"));
        QCOMPARE(p.page.ImportSb->toolTip(), QStringLiteral("Import the questions from another file"));
        QCOMPARE(p.Grid()->rowCount(), 6);
        QCOMPARE(p.Cell(0, 0) + p.Cell(0, 1) + p.Cell(0, 2), QStringLiteral("N.TypeText"));
        QCOMPARE(p.Cell(5, 0) + p.Cell(5, 1), QStringLiteral("5Positive"));
        for (int row = 1; row < 6; ++row)
            QCOMPARE(p.Grid()->rowHeight(row), p.main.CellHeight());
        // The header row and the number column are the grid's own headers,
        // which stay in place while the cells scroll.
        QVERIFY(p.Grid()->isRowHidden(0) && p.Grid()->isColumnHidden(0));
        QVERIFY(p.Grid()->horizontalHeader()->isVisible() && p.Grid()->verticalHeader()->isVisible());
        QCOMPARE(p.Grid()->horizontalHeaderItem(1)->text() + p.Grid()->horizontalHeaderItem(2)->text(),
                 QStringLiteral("TypeText"));
        QCOMPARE(p.Grid()->verticalHeaderItem(5)->text(), QStringLiteral("5"));
        QCOMPARE(p.Grid()->verticalHeader()->minimumWidth(), 30);
        QCOMPARE(p.Grid()->horizontalHeader()->height(), p.main.CellHeight());
        QCOMPARE(p.Grid()->columnWidth(2), 500);
        // The text of the first question is selected, not opened.
        QCOMPARE(p.Current(), QPoint(2, 1));
        QVERIFY(!p.Editor());

        // Only the texts can be edited; header and number cells are fixed.
        QVERIFY(p.Grid()->item(1, 2)->flags() & Qt::ItemIsEditable);
        for (const QPoint& cell : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 3), QPoint(1, 3)})
            QVERIFY(!(p.Grid()->item(cell.y(), cell.x())->flags() & Qt::ItemIsEditable));

        // A hidden page is drawn when it is shown again, not before.
        p.page.hide();
        p.test.ques.List().SetSize(QStringLiteral("2"));
        p.page.Draw();
        QCOMPARE(p.Grid()->rowCount(), 6);
        p.page.show();
        QCOMPARE(p.Grid()->rowCount(), 3);
        QCOMPARE(p.Summary(), QStringLiteral("2 questions: 2 positive, 0 negative"));

        // The texts follow the language.
        DLanguage italian(DLanguage::Italian);
        TFormQues page(p.test, italian, p.main);
        QCOMPARE(page.StringGrid->item(0, 1)->text(), QStringLiteral("Tipo"));
        QCOMPARE(page.SumGb->title(), QStringLiteral("Riepilogo"));
    }

    void typeColumnTogglesPolarity()
    {
        Page p;
        // Clicks: the polarity and the summary follow.
        p.Click(2, 1);
        QCOMPARE(p.Cell(2, 1), QStringLiteral("Negative"));
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 4 positive, 1 negative"));
        QCOMPARE(p.Current(), QPoint(1, 2));
        p.Click(2, 1);
        QCOMPARE(p.Cell(2, 1), QStringLiteral("Positive"));
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 5 positive, 0 negative"));

        // A click on another question's type while its text is being typed
        // keeps the text; the keys that follow change neither.
        p.Grid()->setCurrentCell(1, 2);
        p.Type(QStringLiteral("Who"));
        p.Click(4, 1);
        QVERIFY(p.test.ques.List().GetSelected(3).type.IsNegative());
        QVERIFY(p.test.ques.List().GetSelected(3).type.IsChangedByUser());
        QVERIFY(!p.Editor());
        p.Type(QStringLiteral("Verdi"));
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Who"));
        QCOMPARE(p.test.ques.List().GetSelected(0).text.ToString(), QStringLiteral("Who"));
        QCOMPARE(p.Current(), QPoint(1, 4));
        // Space toggles the selected type cell.
        QTest::keyClick(p.Grid(), Qt::Key_Space);
        QVERIFY(p.test.ques.List().GetSelected(3).type.IsPositive());

        // Clicks on the header row and the number column do nothing.
        p.ClickHeader(Qt::Horizontal, 1);
        p.ClickHeader(Qt::Vertical, 3);
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 5 positive, 0 negative"));
        QCOMPARE(p.Current(), QPoint(1, 4));

        // Keys: Left from the start of a text steps into the type column
        // without toggling it; Up never enters the header row, Home never
        // the number column.
        p.Grid()->setCurrentCell(1, 2);
        QTest::keyClick(p.Grid(), Qt::Key_F2);
        QTest::keyClick(p.Editor(), Qt::Key_Home);
        QTest::keyClick(p.Editor(), Qt::Key_Left);
        QCOMPARE(p.Current(), QPoint(1, 1));
        QTest::keyClick(p.Grid(), Qt::Key_Up);
        QTest::keyClick(p.Grid(), Qt::Key_Home);
        QCOMPARE(p.Current(), QPoint(1, 1));
        QTest::keyClick(p.Grid(), Qt::Key_Down);
        QTest::keyClick(p.Grid(), Qt::Key_Right);
        QTest::keyClick(p.Grid(), Qt::Key_Left);
        QCOMPARE(p.Current(), QPoint(1, 2));
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 5 positive, 0 negative"));
        QCOMPARE(p.errors, QStringList());
    }

    void typingStoresEveryKey()
    {
        Page p;
        const DQuesList& list = p.test.ques.List();
        QVERIFY(!p.test.IsChangedByUser());
        p.Type(QStringLiteral("Wo"));
        QCOMPARE(list.GetSelected(0).text.ToString(), QStringLiteral("Wo"));
        QVERIFY(p.test.IsChangedByUser());
        // Typing inside the text keeps the editor's cursor where it is.
        QTest::keyClick(p.Editor(), Qt::Key_Left);
        QTest::keyClicks(p.Editor(), QStringLiteral("h"));
        QTest::keyClick(p.Editor(), Qt::Key_End);
        QTest::keyClicks(p.Editor(), QStringLiteral(" likes?"));
        QCOMPARE(list.GetSelected(0).text.ToString(), QStringLiteral("Who likes?"));
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Who likes?"));

        // The next row gets its own text; the first one stays.
        QTest::keyClick(p.Editor(), Qt::Key_Down);
        p.Type(QStringLiteral("Two"));
        QCOMPARE(list.GetSelected(1).text.ToString(), QStringLiteral("Two"));
        QCOMPARE(list.GetSelected(0).text.ToString(), QStringLiteral("Who likes?"));
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Who likes?"));
    }

    void handCursorOverTheTypeColumn_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("hand");
        // dx from the left edge of the type column, which is 60 wide.
        QTest::newRow("left edge") << 0 << 2 << false;
        QTest::newRow("inside") << 1 << 2 << true;
        QTest::newRow("last row") << 59 << 5 << true;
        QTest::newRow("right edge") << 60 << 2 << false;
        QTest::newRow("text column") << 100 << 2 << false;
    }
    void handCursorOverTheTypeColumn()
    {
        QFETCH(int, dx);
        QFETCH(int, row);
        QFETCH(bool, hand);
        Page p;
        const int x = p.Grid()->columnViewportPosition(1) + dx;
        // Start from the other cursor so that a missed move shows.
        p.page.StringGridMouseMove(hand ? 200 : p.CellCenter(2, 1).x(), 0);
        QTest::mouseMove(p.Grid()->viewport(), QPoint(x, p.CellCenter(row, 0).y()));
        QCOMPARE(p.Grid()->viewport()->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void headerBordersResizeColumns()
    {
        Page p;
        QHeaderView* header = p.Grid()->horizontalHeader();
        const int border = header->sectionViewportPosition(2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border - 1, 5));
        QTest::mouseMove(header->viewport(), QPoint(border + 39, 5));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border + 39, 5));
        QCOMPARE(p.Grid()->columnWidth(1), 100);
        // Grabbing a border is no click on the type cell next to it, and a
        // redraw keeps the dragged width.
        QCOMPARE(p.Summary(), QStringLiteral("5 questions: 5 positive, 0 negative"));
        QCOMPARE(p.Current(), QPoint(2, 1));
        p.page.Draw();
        QCOMPARE(p.Grid()->columnWidth(1), 100);
        QCOMPARE(p.Grid()->columnWidth(2), 500);
    }

    void optionsDialogSetsTheNumber_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("rows");
        QTest::newRow("seven") << QStringLiteral("7") << true << 8;
        QTest::newRow("one") << QStringLiteral(" 1 ") << true << 2;
        QTest::newRow("zero") << QStringLiteral("0") << false << 6;
        QTest::newRow("eleven") << QStringLiteral("11") << false << 6;
        QTest::newRow("not a number") << QStringLiteral("abc") << false << 6;
        QTest::newRow("empty") << QString() << false << 6;
    }
    void optionsDialogSetsTheNumber()
    {
        QFETCH(QString, input);
        QFETCH(bool, accepted);
        QFETCH(int, rows);
        Page p;
        p.Type(QStringLiteral("First"));
        QString shownNumber;
        int result = -1;
        p.page.SetDialogExec(
            [&](QDialog& dialog)
            {
                auto& options = static_cast<TFormQuesOpt&>(dialog);
                shownNumber = options.QuesNumLe->text();
                options.QuesNumLe->setText(input);
                options.OkBb->setFocus();
                options.OkBbClick();
                // A refused number keeps the dialog open, the focus in the edit.
                if (!accepted)
                    [&] { QCOMPARE(options.focusWidget(), options.QuesNumLe); }();
                result = options.result();
                return result;
            });
        p.page.OptionsSb->click();

        QCOMPARE(shownNumber, QStringLiteral("5"));
        QCOMPARE(result == QDialog::Accepted, accepted);
        QCOMPARE(p.errors,
                 accepted ? QStringList()
                          : QStringList{QStringLiteral("The number of questions must be between \"1\" and \"10\"!")});
        QCOMPARE(p.Grid()->rowCount(), rows);
        QCOMPARE(p.test.ques.List().GetSize(), rows - 1);
        QCOMPARE(p.Summary(), QStringLiteral("%1 questions: %1 positive, 0 negative").arg(rows - 1));
        QCOMPARE(p.Cell(1, 2), QStringLiteral("First"));
        QCOMPARE(p.test.ques.List().GetSelected(0).text.ToString(), QStringLiteral("First"));
        QCOMPARE(p.page.FormQuesOpt->windowTitle(), QStringLiteral("Questions options"));
    }

    void cancelLeavesTheNumber()
    {
        Page p;
        p.page.SetDialogExec(
            [&](QDialog& dialog)
            {
                auto& options = static_cast<TFormQuesOpt&>(dialog);
                options.QuesNumLe->setText(QStringLiteral("2"));
                options.CancelB->click();
                return options.result();
            });
        p.page.OptionsSb->click();
        QCOMPARE(p.test.ques.List().GetSize(), 5);
        QVERIFY(!p.test.IsChangedByUser());
    }

    void importReplacesTheQuestions()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.KalCir"));
        const QString junk = dir.filePath(QStringLiteral("junk.KalCir"));
        WriteQuestions(good);
        TestSupport::WriteFile(junk, QByteArray(200, 'x'));

        Page p;
        p.Type(QStringLiteral("Mine"));

        // Cancelled dialog, then a file that is no test: nothing changes.
        p.openPath.clear();
        p.page.ImportSb->click();
        p.openPath = junk;
        p.page.ImportSb->click();
        QCOMPARE(p.errors, QStringList{p.language.GetErr(60020, {junk})});
        QCOMPARE(p.test.ques.List().GetSize(), 5);
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Mine"));

        // The imported questions replace the grid, the editor's text
        // included. No editor is left open with its text selected, where
        // the next key would replace it: F2 goes on from the imported text.
        p.openPath = good;
        p.page.ImportSb->click();
        QCOMPARE(p.errors.size(), 1);
        QCOMPARE(p.Grid()->rowCount(), 4);
        QCOMPARE(p.Summary(), QStringLiteral("3 questions: 2 positive, 1 negative"));
        QCOMPARE(p.Cell(2, 1) + p.Cell(3, 2), QStringLiteral("NegativeImported 3"));
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Imported 1"));
        QVERIFY(!p.Editor());
        QTest::keyClick(p.Grid(), Qt::Key_F2);
        QCOMPARE(p.Editor()->text(), QStringLiteral("Imported 1"));
        QTest::keyClicks(p.Editor(), QStringLiteral("!"));
        QCOMPARE(p.test.ques.List().GetSelected(0).text.ToString(), QStringLiteral("Imported 1!"));
        QVERIFY(p.test.IsChangedByUser());
    }

    void droppingTypedTextsAsksFirst_data()
    {
        QTest::addColumn<bool>("import");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("fewer, yes") << false << QMessageBox::Yes;
        QTest::newRow("fewer, no") << false << QMessageBox::No;
        QTest::newRow("import, yes") << true << QMessageBox::Yes;
        QTest::newRow("import, cancel") << true << QMessageBox::Cancel;
    }
    void droppingTypedTextsAsksFirst()
    {
        QFETCH(bool, import);
        QFETCH(QMessageBox::StandardButton, answer);
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.KalCir"));
        WriteQuestions(other);
        Page p;
        p.test.ques.List().GetSelected(3).text.UserUpdate(QStringLiteral("Fourth"));
        p.test.desi.SetDesi(4, 1, 1, 2);
        p.answer = answer;
        const QByteArray before = p.test.file.ToBytes();
        p.openPath = other;
        p.page.SetDialogExec(
            [&](QDialog& dialog)
            {
                auto& options = static_cast<TFormQuesOpt&>(dialog);
                options.QuesNumLe->setText(QStringLiteral("3"));
                options.OkBbClick();
                return options.result();
            });
        if (import)
            p.page.ImportSb->click();
        else
            p.page.OptionsSb->click();

        QCOMPARE(p.questions.size(), 1);
        QVERIFY(p.questions[0].contains(
            import ? QStringLiteral("- questions 4 to 5 are removed with their texts and 1 answers")
                   : QStringLiteral("Question 4: \"Fourth\", answers: 1")));
        if (answer == QMessageBox::Yes)
            QCOMPARE(p.test.ques.List().GetSize(), 3);
        else
            QCOMPARE(p.test.file.ToBytes(), before);
        QVERIFY(p.errors.isEmpty());
    }
};

KC_TEST_MAIN(TestTFormQues)
#include "test_TFormQues.moc"
