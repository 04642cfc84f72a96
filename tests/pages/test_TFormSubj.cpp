#include "app/TFormMain.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormSubj.h"
#include "pages/TFormSubjImp.h"
#include "pages/TFormSubjOpt.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>

#include <functional>

namespace
{
// The subjects page on its own test, shown, with every message box and
// dialog answered by the test.
struct Page
{
    DLanguage language;
    DTest test;
    TFormMain main{test, language};
    TFormSubj page{test, language, main};
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    QStringList questions;
    // The first line of every question asked.
    QStringList Asked() const
    {
        QStringList heads;
        for (const QString& text : questions)
            heads << text.section(u'\n', 0, 0);
        return heads;
    }
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QString openPath;
    // Fills the dialog and presses a button instead of the user.
    std::function<void(QDialog&)> user;

    explicit Page(int lang = DLanguage::English) : language(lang)
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox(
            [this](const QString&, const QString& text)
            {
                questions << text;
                return answer;
            });
        main.SetOpenDialog([this] { return openPath; });
        page.SetDialogExec(
            [this](QDialog& dialog)
            {
                if (user)
                    user(dialog);
                return dialog.result();
            });
        page.resize(700, 500);
    }

    bool Show()
    {
        page.show();
        return QTest::qWaitForWindowExposed(&page);
    }

    DSubjList& List() { return test.subj.List(); }
    QTableWidget* Grid() { return page.StringGrid; }
    QString Cell(int row, int column) { return Grid()->item(row, column)->text(); }

    void Click(int row, int column)
    {
        const QPoint at = Grid()->visualItemRect(Grid()->item(row, column)).center();
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, at);
    }

    // A click on a section of the header row or the number column.
    void ClickHeader(Qt::Orientation orientation, int section)
    {
        QHeaderView* header = orientation == Qt::Horizontal ? Grid()->horizontalHeader() : Grid()->verticalHeader();
        const int along = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          orientation == Qt::Horizontal ? QPoint(along, 3) : QPoint(3, along));
    }

    // The open editor of the current cell.
    QLineEdit* Editor() { return qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex())); }

    // Types as the user would: into the open editor, else on the grid.
    void Type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClicks(Editor() ? static_cast<QWidget*>(Editor()) : Grid(), QString(c));
    }

    void NameSubjects(int count)
    {
        for (int k = 0; k < count; ++k)
        {
            DSubjElem& s = List().GetSelected(k);
            s.appe.Surname().UserUpdate(QStringLiteral("S%1").arg(k + 1));
            s.appe.Name().UserUpdate(QStringLiteral("N%1").arg(k + 1));
            s.note.UserUpdate(QStringLiteral("note %1").arg(k + 1));
            if (k % 2)
                s.sex.Invert();
        }
    }

    QStringList Surnames()
    {
        QStringList names;
        for (const DSubjElem& s : List().Get())
            names << s.appe.Surname().ToString();
        return names;
    }
};

QStringList Numbered(const QString& prefix, int from, int to)
{
    QStringList list;
    for (int k = from; k <= to; ++k)
        list << prefix + QString::number(k);
    return list;
}

QString RangeError()
{
    return QStringLiteral("The number of subjects must be between \"1\" and \"100\"!");
}
} // namespace

class TestTFormSubj : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showingFillsThePage_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QString>("summary");
        QTest::newRow("English") << int(DLanguage::English) << QStringList{"N.", "Surname", "Name", "Sex", "Note"}
                                 << "10 subjects: 9 female, 1 male";
        QTest::newRow("Italian") << int(DLanguage::Italian)
                                 << QStringList{"N\u00B0", "Cognome", "Nome", "Sesso", "Note"}
                                 << "10 soggetti: 9 femmine, 1 maschi";
    }
    void showingFillsThePage()
    {
        QFETCH(int, lang);
        QFETCH(QStringList, header);
        QFETCH(QString, summary);
        Page p(lang);
        p.test.subj.Description().SetText(QStringLiteral("Class 3B"));
        p.List().GetSelected(1).appe.Surname().SetText(QStringLiteral("Oak"));
        p.List().GetSelected(1).sex.SetValue(1, false);
        QVERIFY(p.Show());

        QCOMPARE(p.page.SumSt->text(), summary);
        QCOMPARE(p.page.DscEd->text(), QStringLiteral("Class 3B"));
        QCOMPARE(p.page.SumGb->title(), p.language.GetStr(12000));
        QCOMPARE(p.page.ImpClipSb->toolTip(), p.language.GetStr(12050));
        QCOMPARE(p.Grid()->rowCount(), 11);
        for (int column = 0; column < 5; ++column)
            QCOMPARE(p.Cell(0, column), header.at(column));
        QCOMPARE(p.Cell(10, TFormSubj::ColNumber), QStringLiteral("10"));
        QCOMPARE(p.Cell(2, TFormSubj::ColSurname), QStringLiteral("Oak"));
        QCOMPARE(p.Cell(2, TFormSubj::ColSex), p.language.GetStr(40130));
        // The cursor starts on the first surname, selected, not opened.
        QCOMPARE(p.Grid()->currentRow(), 1);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColSurname));
        QVERIFY(!p.Editor());
        QCOMPARE(p.Grid()->verticalHeader()->minimumWidth(), 30);
        for (int column = 1; column < 5; ++column)
            QCOMPARE(p.Grid()->columnWidth(column), (QList<int>{30, 100, 100, 60, 300}.at(column)));
        // Row 0 and column 0 are shown by the grid's own headers, which do
        // not scroll away.
        QVERIFY(p.Grid()->isRowHidden(0) && p.Grid()->isColumnHidden(0));
        QCOMPARE(p.Grid()->horizontalHeaderItem(TFormSubj::ColNote)->text(), header.at(TFormSubj::ColNote));
        QCOMPARE(p.Grid()->verticalHeaderItem(10)->text(), QStringLiteral("10"));
        // Showing the page wrote the description back: no change by the user.
        QVERIFY(!p.test.IsChangedByUser());

        // A hidden page draws nothing.
        p.page.hide();
        p.List().SetSize(12, true);
        p.page.Draw();
        QCOMPARE(p.Grid()->rowCount(), 11);
    }

    void sexCellsToggleBySpaceOrClick()
    {
        Page p;
        QVERIFY(p.Show());
        // A click toggles the cell and selects it.
        p.Click(3, TFormSubj::ColSex);
        QCOMPARE(p.Cell(3, TFormSubj::ColSex), QStringLiteral("Male"));
        QVERIFY(!p.List().GetSelected(2).sex.IsFemale());
        QVERIFY(p.List().GetSelected(2).sex.IsChangedByUser());
        QCOMPARE(p.page.SumSt->text(), QStringLiteral("10 subjects: 9 female, 1 male"));
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColSex));
        // A letter typed there changes nothing and moves nowhere; Space
        // toggles back.
        QTest::keyClicks(p.Grid(), QStringLiteral("s"));
        QCOMPARE(p.Grid()->currentRow(), 3);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColSex));
        QVERIFY(!p.List().GetSelected(2).sex.IsFemale());
        QTest::keyClick(p.Grid(), Qt::Key_Space);
        QVERIFY(p.List().GetSelected(2).sex.IsFemale());
        QCOMPARE(p.Cell(3, TFormSubj::ColSex), QStringLiteral("Female"));
        QCOMPARE(p.page.SumSt->text(), QStringLiteral("10 subjects: 10 female, 0 male"));

        // Arrows and Tab pass the sex column without toggling it.
        p.Grid()->setCurrentCell(4, TFormSubj::ColName);
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left})
            QTest::keyClick(p.Grid(), key);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColSex));
        QTest::keyClick(p.Grid(), Qt::Key_Tab);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColNote));
        QTest::keyClick(p.Grid(), Qt::Key_Backtab);
        QTest::keyClick(p.Grid(), Qt::Key_Backtab);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColName));
        for (const DSubjElem& s : p.List().Get())
            QVERIFY(s.sex.IsFemale());

        // The fixed cells are not entered either, and change nothing.
        p.ClickHeader(Qt::Vertical, 5);
        p.ClickHeader(Qt::Horizontal, TFormSubj::ColSex);
        QCOMPARE(p.Grid()->currentRow(), 4);
        QCOMPARE(p.Cell(5, TFormSubj::ColNumber), QStringLiteral("5"));
        QVERIFY(p.List().GetSelected(4).sex.IsFemale());

        // The pointer turns into a hand over the sex column only.
        const auto cursorAt = [&](int column)
        {
            const QPoint at = p.Grid()->visualItemRect(p.Grid()->item(2, column)).center();
            QTest::mouseMove(p.Grid()->viewport(), at);
            return p.Grid()->viewport()->cursor().shape();
        };
        QCOMPARE(cursorAt(TFormSubj::ColSex), Qt::PointingHandCursor);
        QCOMPARE(cursorAt(TFormSubj::ColNote), Qt::ArrowCursor);
    }

    void typingStoresEveryKey_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("surname") << int(TFormSubj::ColSurname);
        QTest::newRow("name") << int(TFormSubj::ColName);
        QTest::newRow("note") << int(TFormSubj::ColNote);
    }
    void typingStoresEveryKey()
    {
        QFETCH(int, column);
        Page p;
        p.NameSubjects(3);
        QVERIFY(p.Show());
        p.page.SetHost(&p.main);
        const auto stored = [&]
        {
            const DSubjElem& s = p.List().GetSelected(1);
            return column == TFormSubj::ColSurname ? s.appe.Surname().ToString()
                   : column == TFormSubj::ColName  ? s.appe.Name().ToString()
                                                   : s.note.ToString();
        };
        const QString old = stored();
        p.Grid()->setCurrentCell(2, column);
        // A selected cell has no editor: the first key typed on it starts
        // one that replaces the text.
        QVERIFY(!p.Editor());
        QTest::keyClick(p.Grid(), Qt::Key_O);
        QVERIFY(p.Editor());
        QCOMPARE(stored(), QStringLiteral("o"));
        QTest::keyClicks(p.Editor(), QStringLiteral("ak"));
        QCOMPARE(stored(), QStringLiteral("oak"));
        // Escape brings back the text from before the edit, in the cell and
        // the subject alike, and leaves no step.
        QTest::keyClick(p.Editor(), Qt::Key_Escape);
        QVERIFY(!p.Editor());
        QCOMPARE(p.Cell(2, column), old);
        QCOMPARE(stored(), old);
        QCOMPARE(p.main.UndoStack()->count(), 0);

        // F2 edits keeping the text; Enter stores it as one step.
        QTest::keyClick(p.Grid(), Qt::Key_F2);
        QTest::keyClicks(p.Editor(), QStringLiteral("x"));
        QTest::keyClick(p.Editor(), Qt::Key_Return);
        QCOMPARE(stored(), old + u'x');
        QCOMPARE(p.main.UndoStack()->count(), 1);
        // Delete clears the cell, another step; undo brings each back.
        p.Grid()->setCurrentCell(2, column);
        QTest::keyClick(p.Grid(), Qt::Key_Delete);
        QCOMPARE(stored(), QString());
        QCOMPARE(p.Cell(2, column), QString());
        QCOMPARE(p.main.UndoStack()->count(), 2);
        p.main.UndoStack()->undo();
        QCOMPARE(stored(), old + u'x');
        p.main.UndoStack()->undo();
        QCOMPARE(stored(), old);
        // The other subjects are untouched.
        QCOMPARE(p.List().GetSelected(0).appe.ToString(true), QStringLiteral("S1 N1"));
        QCOMPARE(p.List().GetSelected(2).note.ToString(), QStringLiteral("note 3"));
        QCOMPARE(p.errors, QStringList());
    }

    // A name typed and entered stays; the next key goes to the next row,
    // never into the cell just left.
    void enterStoresAndMovesDown()
    {
        Page p;
        QVERIFY(p.Show());
        p.page.SetHost(&p.main);
        p.Type(QStringLiteral("Bianchi"));
        QTest::keyClick(p.Editor(), Qt::Key_Return);
        QVERIFY(!p.Editor());
        QCOMPARE(p.Grid()->currentRow(), 2);
        p.Type(QStringLiteral("Verdi"));
        QTest::keyClick(p.Editor(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(p.Surnames().mid(0, 3), (QStringList{"Bianchi", "Verdi", ""}));
        QCOMPARE(p.main.UndoStack()->count(), 2);
        // Enter on a cell without an editor only moves; Shift+Enter goes up.
        QTest::keyClick(p.Grid(), Qt::Key_Return);
        QCOMPARE(p.Grid()->currentRow(), 4);
        QTest::keyClick(p.Grid(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(p.Grid(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(p.Grid(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(p.Grid()->currentRow(), 1);
        // A double click goes on with the text.
        const QRect cell = p.Grid()->visualItemRect(p.Grid()->item(1, TFormSubj::ColSurname));
        QTest::mouseClick(p.Grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(p.Grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(p.Editor());
        QTest::keyClicks(p.Editor(), QStringLiteral("X"));
        // Tab keeps the text too and selects the next cell.
        QTest::keyClick(p.Editor(), Qt::Key_Tab);
        QVERIFY(!p.Editor());
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColName));
        QCOMPARE(p.Surnames().mid(0, 2), (QStringList{"BianchiX", "Verdi"}));
        QCOMPARE(p.main.UndoStack()->count(), 3);
    }

    // Left at the start and Right at the end of a text leave the editor for
    // the neighbouring cell; reaching the sex column toggles nothing.
    void arrowKeysLeaveTheEditor_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("right from the name") << int(TFormSubj::ColName) << int(Qt::Key_Right) << int(TFormSubj::ColSex);
        QTest::newRow("left from the note") << int(TFormSubj::ColNote) << int(Qt::Key_Left) << int(TFormSubj::ColSex);
        QTest::newRow("right from the surname")
            << int(TFormSubj::ColSurname) << int(Qt::Key_Right) << int(TFormSubj::ColName);
        QTest::newRow("left from the surname")
            << int(TFormSubj::ColSurname) << int(Qt::Key_Left) << int(TFormSubj::ColSurname);
    }
    void arrowKeysLeaveTheEditor()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Page p;
        QVERIFY(p.Show());
        p.Grid()->setCurrentCell(3, from);
        QTest::keyClick(p.Grid(), Qt::Key_F2);
        QLineEdit* editor = p.Editor();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key(key));
        QCOMPARE(p.Grid()->currentRow(), 3);
        QCOMPARE(p.Grid()->currentColumn(), to);
        QVERIFY(p.List().GetSelected(2).sex.IsFemale());
        QCOMPARE(p.Cell(3, TFormSubj::ColSex), QStringLiteral("Female"));
    }

    void pageUpStopsBelowTheHeader()
    {
        Page p;
        QVERIFY(p.Show());
        p.Grid()->setCurrentCell(8, TFormSubj::ColName);
        QTest::keyClick(p.Grid(), Qt::Key_PageUp);
        QCOMPARE(p.Grid()->currentRow(), 1);
        QCOMPARE(p.Grid()->currentColumn(), int(TFormSubj::ColName));
    }

    void descriptionIsStoredAsTyped()
    {
        Page p;
        QVERIFY(p.Show());
        QTest::keyClicks(p.page.DscEd, QStringLiteral("3B"));
        QCOMPARE(p.test.subj.Description().ToString(), QStringLiteral("3B"));
        QVERIFY(p.test.subj.IsChangedByUser());
    }

    // The description field holds every code unit a stored text may have,
    // line breaks included: showing it changes nothing, typing keeps them,
    // and a pasted text's breaks are dropped.
    void descriptionIsKeptWhole()
    {
        Page p;
        const QString stored = QStringLiteral("Line one\r\nLine two") + QString(DElemString::kMaxLength - 18, u'x');
        p.test.subj.Description().SetText(stored);
        QVERIFY(p.Show());
        QCOMPARE(p.page.DscEd->text().size(), stored.size());
        QCOMPARE(p.test.subj.Description().ToString(), stored);
        QVERIFY(!p.test.IsChangedByUser());

        p.page.DscEd->setFocus();
        QTest::keyClick(p.page.DscEd, Qt::Key_End);
        QTest::keyClick(p.page.DscEd, Qt::Key_Backspace);
        QTest::keyClicks(p.page.DscEd, QStringLiteral("!"));
        QCOMPARE(p.test.subj.Description().ToString(), stored.chopped(1) + u'!');
        QVERIFY(p.test.IsChangedByUser());

        QApplication::clipboard()->setText(QStringLiteral("3B\r\nmorning\n"));
        p.page.DscEd->selectAll();
        QTest::keyClick(p.page.DscEd, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p.test.subj.Description().ToString(), QStringLiteral("3Bmorning"));
    }

    void optionsDialogSetsTheNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("asked");
        const QMessageBox::StandardButton yes = QMessageBox::Yes;
        const QStringList fewer{"Lowering the number of subjects from 10 to 5 removes these subjects with their data "
                                "and 0 answers (given by them or naming them):"};
        QTest::newRow("more") << "12" << yes << 12 << QString() << QStringList{};
        QTest::newRow("same") << "10" << yes << 10 << QString() << QStringList{};
        QTest::newRow("fewer, yes") << " 5 " << yes << 5 << QString() << fewer;
        QTest::newRow("fewer, no") << "5" << QMessageBox::No << 10 << QString() << fewer;
        QTest::newRow("fewer, cancel") << "5" << QMessageBox::Cancel << 10 << QString() << fewer;
        QTest::newRow("zero") << "0" << yes << 10 << RangeError() << QStringList{};
        QTest::newRow("101") << "101" << yes << 10 << RangeError() << QStringList{};
        QTest::newRow("text") << "x" << yes << 10 << RangeError() << QStringList{};
    }
    void optionsDialogSetsTheNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(int, count);
        QFETCH(QString, error);
        QFETCH(QStringList, asked);
        Page p;
        p.NameSubjects(10);
        QVERIFY(p.Show());
        p.answer = answer;
        QString shown;
        bool open = false;
        p.user = [&](QDialog& dialog)
        {
            auto& opt = static_cast<TFormSubjOpt&>(dialog);
            shown = opt.NumLe->text();
            opt.NumLe->setText(typed);
            opt.OkBbClick();
            open = opt.result() != QDialog::Accepted;
        };
        p.page.OptionsSb->click();

        QCOMPARE(shown, QStringLiteral("10"));
        QCOMPARE(p.page.FormSubjOpt->windowTitle(), QStringLiteral("Subjects options"));
        QCOMPARE(p.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(p.Asked(), asked);
        // A refused number or a "no" keeps the dialog open for a correction.
        QCOMPARE(open, !error.isEmpty() || answer != QMessageBox::Yes);
        QCOMPARE(p.List().GetSize(), count);
        QCOMPARE(p.Grid()->rowCount(), count + 1);
        QCOMPARE(p.Cell(count, TFormSubj::ColNumber), QString::number(count));
        QCOMPARE(p.page.SumSt->text(), p.List().SummaryText());
        // The first subjects keep their data; new ones are empty.
        const int kept = qMin(count, 10);
        QCOMPARE(p.Surnames().mid(0, kept), Numbered(QStringLiteral("S"), 1, kept));
        QCOMPARE(p.Cell(kept, TFormSubj::ColNote), QStringLiteral("note %1").arg(kept));
        if (count > 10)
            QCOMPARE(p.Cell(count, TFormSubj::ColSurname), QString());
    }

    void cancelledDialogsChangeNothing()
    {
        Page p;
        p.NameSubjects(10);
        QVERIFY(p.Show());
        QGuiApplication::clipboard()->setText(QStringLiteral("Oak, Pine\n"));
        p.user = [](QDialog& dialog) { dialog.reject(); };
        p.page.OptionsSb->click();
        p.page.ImpClipSb->click();
        QCOMPARE(p.List().GetSize(), 10);
        QCOMPARE(p.Surnames(), Numbered(QStringLiteral("S"), 1, 10));
        QVERIFY(p.errors.isEmpty());
        QVERIFY(p.questions.isEmpty());
    }

    void clipboardImportRenamesTheSubjects_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("surnames");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("error");
        const QMessageBox::StandardButton yes = QMessageBox::Yes;
        const QStringList old = Numbered(QStringLiteral("S"), 1, 10);
        // Empty subjects without answers hold nothing to lose: no question.
        QTest::newRow("three lines, empty list")
            << false << QMessageBox::No << "Oak, Pine\nElm, Ash\nBirch, Fir\n"
            << 0 << QStringList{"Oak", "Elm", "Birch"} << QStringList{} << QString();
        QTest::newRow("spreadsheet columns, blank last line")
            << false << QMessageBox::No << "Rossi\tAnna\tF\nVerdi\tLuca\tM\n\n"
            << 0 << QStringList{"Rossi", "Verdi"} << QStringList{} << QString();
        // The names find their subjects: two more at the end move nobody.
        QStringList twelve;
        for (int k = 1; k <= 12; ++k)
            twelve << QStringLiteral("N%1 S%1").arg(k);
        QTest::newRow("twelve lines, named list") << true << yes << twelve.join(u'\n') << 3
                                                  << Numbered(QStringLiteral("S"), 1, 12) << QStringList{} << QString();
        QTest::newRow("named list, a newcomer first")
            << true << yes << "Kid New\n" + twelve.mid(0, 10).join(u'\n') << 3 << QStringList{"New"} + old
            << QStringList{"Importing names (lines: 11) into the list of 10 subjects; each name finds its subject by "
                           "surname and name:"}
            << QString();
        QTest::newRow("named list, refused")
            << true << QMessageBox::Cancel << "Oak" << 4 << old
            << QStringList{"Importing names (lines: 1) into the list of 10 subjects; each name finds its subject by "
                           "surname and name:"}
            << QString();
        QTest::newRow("line without separator")
            << true << yes << "Oak, Pine\nElm Ash\nBirch, Fir" << 0 << old << QStringList{}
            << "Line 2 (\"Elm Ash\"): Surname and name are not separated by a comma, as the chosen format asks. "
               "Nothing was imported.";
        QTest::newRow("no lines") << true << yes << "" << 4 << old << QStringList{} << RangeError();
    }
    void clipboardImportRenamesTheSubjects()
    {
        QFETCH(bool, named);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, text);
        QFETCH(int, format);
        QFETCH(QStringList, surnames);
        QFETCH(QStringList, asked);
        QFETCH(QString, error);
        Page p;
        if (named)
            p.NameSubjects(10);
        QVERIFY(p.Show());
        const QByteArray before = p.test.file.ToBytes();
        QGuiApplication::clipboard()->setText(text);
        p.answer = answer;
        int shownFormat = -1;
        QString shownText;
        bool accepted = false;
        p.user = [&](QDialog& dialog)
        {
            auto& imp = static_cast<TFormSubjImp&>(dialog);
            shownFormat = imp.OrderCb->currentIndex();
            shownText = imp.NamesMm->toPlainText();
            imp.OrderCb->setCurrentIndex(format);
            imp.OkBbClick();
            accepted = imp.result() == QDialog::Accepted;
        };
        p.page.ImpClipSb->click();

        QCOMPARE(shownFormat, 0);
        QCOMPARE(shownText, text);
        QCOMPARE(p.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(p.Asked(), asked);
        QCOMPARE(accepted, error.isEmpty() && (answer == QMessageBox::Yes || asked.isEmpty()));
        // A refused import, for whatever reason, leaves every subject as it was.
        if (!accepted)
            QCOMPARE(p.test.file.ToBytes(), before);
        QCOMPARE(p.Surnames(), surnames);
        QCOMPARE(p.Grid()->rowCount(), surnames.size() + 1);
        QCOMPARE(p.Cell(1, TFormSubj::ColSurname), surnames.first());
        QCOMPARE(p.page.SumSt->text(), p.List().SummaryText());
        if (named)
        {
            // S2, wherever it is now, keeps sex and note.
            const std::vector<DSubjElem>& subjects = p.List().Get();
            const auto s2 =
                std::find_if(subjects.begin(), subjects.end(),
                             [](const DSubjElem& s) { return s.appe.Surname().ToString() == QStringLiteral("S2"); });
            QVERIFY(s2 != subjects.end());
            QCOMPARE(s2->note.ToString(), QStringLiteral("note 2"));
            QVERIFY(!s2->sex.IsFemale());
        }
    }

    // A newcomer pasted as line 3 of the class list: every pupil keeps what
    // was entered for them, under their new number, and the question says so.
    void importKeepsEveryDatumWithItsPupil()
    {
        Page p;
        p.page.SetHost(&p.main);
        p.NameSubjects(10);
        DTest& t = p.test;
        // Subject k chooses k + 1 (10 chooses 1); positions, a pin and a pair
        // on subject 3.
        for (int k = 1; k <= 10; ++k)
            t.desi.SetDesi(1, 1, k, k % 10 + 1);
        t.subj.List().GetSelected(2).soci.acceptance.Set(true, 111, 222);
        DGraphSocPins pins;
        pins.Set(true, 3, true);
        t.SetPins(pins, true);
        DGroupSettings groups;
        groups.together = {{3, 5}};
        groups.apart = {{2, 3}};
        DGroupRecord::Store(t, groups, true);
        QVERIFY(p.Show());
        const QByteArray before = t.file.ToBytes();

        QStringList lines;
        for (int k = 1; k <= 10; ++k)
            lines << QStringLiteral("S%1, N%1").arg(k);
        lines.insert(2, QStringLiteral("New, Kid"));
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
        p.user = [](QDialog& dialog)
        {
            auto& imp = static_cast<TFormSubjImp&>(dialog);
            QTest::mouseClick(imp.OkBb, Qt::LeftButton);
        };
        p.page.ImpClipSb->click();

        QCOMPARE(p.errors, QStringList());
        QCOMPARE(p.questions.size(), 1);
        const QString question = p.questions.first();
        QVERIFY2(question.contains(QStringLiteral("- new subjects (1): 3 New Kid\n")), qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral("(8), with all their data; the answers naming them follow: "
                                                  "3\u201310 \u2192 4\u201311\n")),
                 qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral("- sex: no line writes one")), qPrintable(question));
        QCOMPARE(p.List().GetSize(), 11);
        QCOMPARE(p.Cell(3, TFormSubj::ColSurname), QStringLiteral("New"));
        QCOMPARE(p.Cell(4, TFormSubj::ColSurname), QStringLiteral("S3"));
        // The newcomer has given nothing and nobody chose them.
        for (int k = 1; k <= 11; ++k)
            QVERIFY(t.desi.GetDesi(1, 1, k) != 3);
        QCOMPARE(t.desi.GetDesi(1, 1, 3), 0);
        // S2 chose S3, now number 4; S3 chose S4, now 5; S10 chose S1.
        QCOMPARE(t.desi.GetDesi(1, 1, 2), 4);
        QCOMPARE(t.desi.GetDesi(1, 1, 4), 5);
        QCOMPARE(t.desi.GetDesi(1, 1, 11), 1);
        // Sex, note, position, pin and pairs went along.
        const DSubjElem& s3 = p.List().GetSelected(3);
        QCOMPARE(s3.note.ToString(), QStringLiteral("note 3"));
        QCOMPARE(s3.soci.acceptance.Get(), QPoint(111, 222));
        QVERIFY(!p.List().GetSelected(4).sex.IsFemale()); // S4
        QVERIFY(p.List().GetSelected(2).sex.IsFemale());  // the newcomer
        QVERIFY(t.Pins().Is(true, 4));
        QVERIFY(!t.Pins().Is(true, 3));
        const DGroupSettings moved = DGroupRecord::Load(t);
        QCOMPARE(moved.together, (std::vector<DGroupSettings::Pair>{{4, 6}}));
        QCOMPARE(moved.apart, (std::vector<DGroupSettings::Pair>{{2, 4}}));
        // One step, undone whole.
        QCOMPARE(p.main.UndoStack()->count(), 1);
        p.main.UndoStack()->undo();
        QCOMPARE(t.file.ToBytes(), before);
    }

    void importDialogOpensWithTheClipboardText()
    {
        DLanguage language(DLanguage::Italian);
        DTest test;
        TFormSubjImp imp(test, language);
        QGuiApplication::clipboard()->setText(QStringLiteral("Rossi, Anna"));
        imp.FormShow();
        imp.OrderCb->setCurrentIndex(3);
        QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
        imp.FormShow();
        QCOMPARE(imp.NamesMm->toPlainText(), QString());
        QCOMPARE(imp.OrderCb->count(), 6);
        QCOMPARE(imp.OrderCb->currentIndex(), 0);
        QCOMPARE(imp.windowTitle(), language.GetStr(13000));
        QCOMPARE(imp.OrderGb->title(), language.GetStr(13200));
    }

    void fileImportReplacesTheGroup()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.KalCir"));
        const QString junk = dir.filePath(QStringLiteral("junk.KalCir"));
        TestSupport::WriteFile(junk, QByteArray(200, 'x'));
        {
            DTest other;
            other.subj.Description().UserUpdate(QStringLiteral("Class 4A"));
            other.subj.List().SetSize(3, true);
            other.subj.List().GetSelected(2).appe.Surname().UserUpdate(QStringLiteral("Elm"));
            other.subj.List().GetSelected(2).sex.Invert();
            other.file.Write(path);
        }
        Page p;
        p.NameSubjects(10);
        p.test.subj.Description().UserUpdate(QStringLiteral("Class 3B"));
        QVERIFY(p.Show());

        // A cancelled dialog and a file that is no test change nothing.
        p.page.ImpFileSb->click();
        p.openPath = junk;
        p.page.ImpFileSb->click();
        QCOMPARE(p.errors, QStringList{p.language.GetErr(60020, {junk})});
        QCOMPARE(p.List().GetSize(), 10);
        QCOMPARE(p.page.DscEd->text(), QStringLiteral("Class 3B"));

        p.openPath = path;
        p.page.ImpFileSb->click();
        QCOMPARE(p.errors.size(), 1);
        QCOMPARE(p.test.subj.Description().ToString(), QStringLiteral("Class 4A"));
        QCOMPARE(p.page.DscEd->text(), QStringLiteral("Class 4A"));
        QCOMPARE(p.Grid()->rowCount(), 4);
        QCOMPARE(p.Cell(3, TFormSubj::ColSurname), QStringLiteral("Elm"));
        QCOMPARE(p.Cell(3, TFormSubj::ColSex), QStringLiteral("Male"));
        QCOMPARE(p.page.SumSt->text(), QStringLiteral("3 subjects: 2 female, 1 male"));
    }
};

KC_TEST_MAIN(TestTFormSubj)
#include "test_TFormSubj.moc"
