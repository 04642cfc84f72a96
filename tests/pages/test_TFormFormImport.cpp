#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormFormImport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace
{
// Four subjects, two of one name, one question of two answers; the dialog
// open, its file dialog and error boxes answered by the test.
struct Dialog
{
    DLanguage language{DLanguage::English};
    DTest test;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("form.tsv"));
    TFormFormImport form{test, language};

    Dialog()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        test.ques.List().SetSize(1, false);
        test.answ.num.SetValue(2, false);
        test.subj.List().SetSize(4, false);
        const char* const names[][2] = {{"Rossi", "Mario"}, {"Bianchi", "Elena"}, {"Verdi", "Luca"}, {"Verdi", "Luca"}};
        for (qint32 s = 0; s < 4; ++s)
        {
            test.subj.List().GetSelected(s).appe.Surname().SetText(QString::fromUtf8(names[s][0]));
            test.subj.List().GetSelected(s).appe.Name().SetText(QString::fromUtf8(names[s][1]));
        }
        form.SetOpenDialog([this] { return path; });
        form.FormShow();
        form.show();
    }
    QComboBox* Combo(QTableWidget* grid, int row) const
    {
        return qobject_cast<QComboBox*>(grid->cellWidget(row, grid->columnCount() - 1));
    }
    // Picks in a combo box as a user does with the keyboard.
    void Pick(QComboBox* combo, Qt::Key key, int times = 1)
    {
        combo->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(combo, key);
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};
} // namespace

class TestTFormFormImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mapResolveImport();
    void unreadableFileKeepsTheDialog();
    void rowsOfOnePupilAndStrangers();
};

void TestTFormFormImport::mapResolveImport()
{
    Dialog d;
    TestSupport::WriteFile(d.path, "Timestamp\tName\tFirst\tSecond\n"
                                   "2024-05-02 10:00\tMario Rossi\tverdi luca\tElena Bianchi\n"
                                   "2024-05-02 10:05\tElena Bianchi\t1\t\n");
    d.Click(d.form.OkBb);
    QCOMPARE(d.errors.value(0), QStringLiteral("Choose the file of the form first."));

    d.Click(d.form.ChooseBt);
    QCOMPARE(d.form.FileEd->text(), d.path);
    QCOMPARE(d.form.ColumnsSg->rowCount(), 4);
    QCOMPARE(d.Combo(d.form.ColumnsSg, 0)->currentText(), QStringLiteral("Ignored"));
    QCOMPARE(d.Combo(d.form.ColumnsSg, 1)->currentText(), QStringLiteral("Respondent"));
    QCOMPARE(d.Combo(d.form.ColumnsSg, 3)->currentText(), QStringLiteral("Question 1, answer 2"));
    QCOMPARE(d.form.NamesSg->rowCount(), 1);
    QCOMPARE(d.form.NamesSg->item(0, 0)->text(), QStringLiteral("Row 2: Mario Rossi"));
    QCOMPARE(d.form.NamesSg->item(0, 1)->text(), QStringLiteral("verdi luca"));
    QCOMPARE(d.form.NamesSg->item(0, 2)->text(), QStringLiteral("fits 2 subjects"));

    // The column that holds the name ignored, then back: the name comes and goes.
    d.Pick(d.Combo(d.form.ColumnsSg, 2), Qt::Key_Home);
    QCOMPARE(d.form.NamesSg->rowCount(), 0);
    d.Pick(d.Combo(d.form.ColumnsSg, 2), Qt::Key_Down, 2);
    QCOMPARE(d.Combo(d.form.ColumnsSg, 2)->currentText(), QStringLiteral("Question 1, answer 1"));
    QCOMPARE(d.form.NamesSg->rowCount(), 1);

    // Unresolved: refused, the test as it was, the dialog still open.
    const QByteArray before = d.test.file.ToBytes();
    d.errors.clear();
    d.Click(d.form.OkBb);
    QCOMPARE(d.errors.value(0),
             QStringLiteral("Row 2, column 3 (\"First\"): \"verdi luca\" fits more than one subject: "
                            "3. Verdi Luca, 4. Verdi Luca."));
    QCOMPARE(d.test.file.ToBytes(), before);
    QVERIFY(d.form.isVisible());

    // The candidates come first after the two choices of no subject.
    QComboBox* standsFor = d.Combo(d.form.NamesSg, 0);
    QCOMPARE(standsFor->itemText(2), QStringLiteral("3. Verdi Luca"));
    d.Pick(standsFor, Qt::Key_Down, 3);
    QCOMPARE(standsFor->currentText(), QStringLiteral("4. Verdi Luca"));
    d.errors.clear();
    d.Click(d.form.OkBb);
    QVERIFY2(d.errors.isEmpty(), qPrintable(d.errors.join(u'\n')));
    QVERIFY(!d.form.isVisible());
    QCOMPARE(d.test.desi.GetDesi(1, 1, 1), 4);
    QCOMPARE(d.test.desi.GetDesi(1, 2, 1), 2);
    QCOMPARE(d.test.desi.GetDesi(1, 1, 2), 1);
    QCOMPARE(d.test.desi.GetDesi(1, 1, 3), 0);
}

void TestTFormFormImport::unreadableFileKeepsTheDialog()
{
    Dialog d;
    TestSupport::WriteFile(d.path, "Name\tA\nRossi Mario\t2\n");
    d.Click(d.form.ChooseBt);
    const QString shown = d.form.FileEd->text();
    TestSupport::WriteFile(d.path, "Name\tA\n\"Rossi Mario\t2\n");
    d.Click(d.form.ChooseBt);
    QCOMPARE(d.errors.size(), 1);
    QVERIFY2(d.errors[0].contains(QStringLiteral("line 2, column 1: the quoted cell is never closed")),
             qPrintable(d.errors[0]));
    // What was read before stays, and imports.
    QCOMPARE(d.form.FileEd->text(), shown);
    QCOMPARE(d.form.ColumnsSg->rowCount(), 2);
    d.Click(d.form.OkBb);
    QCOMPARE(d.test.desi.GetDesi(1, 1, 1), 2);
}

// A pupil who answered twice and a stranger: the user keeps one row and
// leaves the stranger out, and is told what the import did.
void TestTFormFormImport::rowsOfOnePupilAndStrangers()
{
    Dialog d;
    TestSupport::WriteFile(d.path, "Name\tFirst\tSecond\n"
                                   "Mario Rossi\tElena Bianchi\t\n"
                                   "Elena Bianchi\t1\t\n"
                                   "rossi mario\t2\t\n"
                                   "Nobody\t1\t\n");
    d.Click(d.form.ChooseBt);
    QTableWidget* names = d.form.NamesSg;
    QCOMPARE(names->rowCount(), 2);
    QCOMPARE(names->item(0, 0)->text(), QStringLiteral("Row 5: Nobody"));
    QCOMPARE(names->item(0, 2)->text(), QStringLiteral("matches no subject"));
    QCOMPARE(names->item(1, 0)->text(), QStringLiteral("Rows 2, 4"));
    QCOMPARE(names->item(1, 1)->text(), QStringLiteral("Mario Rossi"));
    QCOMPARE(names->item(1, 2)->text(), QStringLiteral("answered in 2 rows"));
    QCOMPARE(d.Combo(names, 1)->itemText(3), QStringLiteral("Keep row 4"));

    // The stranger taken for Elena, who answered already: her two rows show.
    d.Pick(d.Combo(names, 0), Qt::Key_Down, 3);
    QCOMPARE(d.Combo(names, 0)->currentText(), QStringLiteral("2. Bianchi Elena"));
    QTRY_COMPARE(names->rowCount(), 3);
    QCOMPARE(names->item(2, 0)->text(), QStringLiteral("Rows 3, 5"));
    QCOMPARE(QApplication::focusWidget(), d.Combo(names, 0));
    d.Pick(d.Combo(names, 0), Qt::Key_Up, 2);
    QCOMPARE(d.Combo(names, 0)->currentText(), QStringLiteral("Leave out its rows"));
    QTRY_COMPARE(names->rowCount(), 2);

    d.Pick(d.Combo(names, 1), Qt::Key_Down, 3);
    QCOMPARE(d.Combo(names, 1)->currentText(), QStringLiteral("Keep row 4"));
    d.Click(d.form.OkBb);
    QVERIFY2(d.errors.isEmpty(), qPrintable(d.errors.join(u'\n')));
    QVERIFY(!d.form.isVisible());
    QCOMPARE(d.test.desi.GetDesi(1, 1, 1), 2);
    QCOMPARE(d.test.desi.GetDesi(1, 1, 2), 1);
    QCOMPARE(d.form.Summary(), QStringLiteral("Answers taken in from 2 rows of the form.\n"
                                              "\n"
                                              "Rows left out (2):\n"
                                              "row 2 (\"Mario Rossi\"): row 4 of the same subject was taken in\n"
                                              "row 5 (\"Nobody\"): you chose to leave out this name\n"
                                              "\n"
                                              "Subjects with no row in the form, whose answers stay as they were "
                                              "(2): 3. Verdi Luca, 4. Verdi Luca"));
}

KC_TEST_MAIN(TestTFormFormImport)
#include "test_TFormFormImport.moc"
