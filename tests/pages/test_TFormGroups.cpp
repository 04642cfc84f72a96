#include "analyses/DGraph.h"
#include "analyses/DGraphPainting.h"
#include "analyses/DGroupReport.h"
#include "analyses/DPalette.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormGroups.h"
#include "tests/TestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextDocument>

namespace
{
// Eight named subjects in four pairs who chose each other, the dialog open
// on them, every error box answered by the test.
struct Dialog
{
    DLanguage language{DLanguage::English};
    DTest test;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    TFormGroups form{test, language};

    Dialog()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        test.subj.List().SetSize(8, false);
        for (qint32 s = 1; s <= 8; ++s)
        {
            test.subj.List().GetSelected(s - 1).appe.Surname().SetText(QStringLiteral("S%1").arg(s));
            test.desi.SetDesi(1, 1, s, s % 2 == 1 ? s + 1 : s - 1);
        }
        form.FormShow();
        form.show();
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};
} // namespace

class TestTFormGroups : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void proposeAnotherCopyExport();
    void pairsAndRefusals();
    void groupsColourTheSociogramWhileShown();
};

void TestTFormGroups::proposeAnotherCopyExport()
{
    Dialog d;
    QVERIFY(!d.form.AnotherBt->isEnabled());
    // On its mark, at the left: the button's text may end before its middle.
    QTest::mouseClick(d.form.CountRb, Qt::LeftButton, {}, QPoint(6, d.form.CountRb->height() / 2));
    QVERIFY(d.form.CountRb->isChecked());
    d.form.ValueEd->setFocus();
    QTest::keyClick(d.form.ValueEd, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(d.form.ValueEd, QStringLiteral("4"));
    d.Click(d.form.ProposeBt);
    QVERIFY(d.errors.isEmpty());

    // The four pairs, each in its own group; the settings went into the test.
    const QString first = d.form.ResultEd->toPlainText();
    QVERIFY(first.startsWith(QStringLiteral("Subjects with none of their choices in their group: 0 (isolated: 0)\n")));
    QVERIFY2(first.contains(QStringLiteral("Group 4\n  7. S7; chose S8\n  8. S8; chose S7\n")), qPrintable(first));
    DGroupSettings stored = DGroupRecord::Load(d.test);
    QCOMPARE(stored.mode, DGroupSettings::Mode::Count);
    QCOMPARE(stored.value, 4);
    QVERIFY(d.test.IsChangedByUser());

    d.Click(d.form.AnotherBt);
    const QString second = d.form.ResultEd->toPlainText();
    QVERIFY(second != first);
    d.Click(d.form.CopyBt);
    QCOMPARE(QGuiApplication::clipboard()->text(), second);
    // Printed under a heading that says which class, when, and how.
    d.test.subj.Description().SetText(QStringLiteral("Class 3B"));
    QString printed;
    d.form.SetPrintDialog([&](const QTextDocument& document) { printed = document.toPlainText(); });
    d.Click(d.form.PrintBt);
    QCOMPARE(printed,
             QStringLiteral("Working groups\nClass 3B\nFile: not saved; Date: %1\n"
                            "Number of groups: 4; 4 groups of 2 subjects\nQuestions counted: 1, 2, 3, 4, 5\n\n")
                     .arg(DGraphPainting::DateText(QDate::currentDate())) +
                 second);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("groups.csv"));
    d.form.SetSaveDialog([&] { return path; });
    // For a spreadsheet, as the dialog offers it in English.
    d.form.SetCsvOptionsDialog(
        [&](TFormCsvOpt& options)
        {
            options.show();
            d.Click(options.OkBb);
            return options.result() == QDialog::Accepted;
        });
    d.Click(d.form.ExportBt);
    QVERIFY(TestSupport::ReadFile(path).startsWith("\xEF\xBB\xBFGroup,N.,Surname,Name\r\n1,1,S1,\r\n"));
    QCOMPARE(TestSupport::ReadFile(path).count("\r\n"), 9);
}

void TestTFormGroups::pairsAndRefusals()
{
    Dialog d;
    d.form.FirstCb->setCurrentIndex(0);
    d.form.SecondCb->setCurrentIndex(2);
    d.Click(d.form.ApartBt);
    d.Click(d.form.ApartBt); // a repeat adds nothing
    d.Click(d.form.TogetherBt);
    QCOMPARE(d.form.PairsLb->count(), 2);
    QCOMPARE(d.form.PairsLb->item(0)->text(), QStringLiteral("1. S1 and 3. S3: together"));

    // A pair both together and apart: refused with the reason, nothing shown.
    d.Click(d.form.ProposeBt);
    QCOMPARE(d.errors, QStringList{d.language.GetErr(34500, {"S1", "S3"})});
    QVERIFY(d.form.ResultEd->toPlainText().isEmpty());
    QVERIFY(!d.form.CopyBt->isEnabled());
    QVERIFY(!d.form.PrintBt->isEnabled());

    d.form.PairsLb->setCurrentRow(1);
    d.Click(d.form.RemoveBt);
    QCOMPARE(d.form.PairsLb->count(), 1);
    d.Click(d.form.ProposeBt);
    QCOMPARE(d.errors.size(), 1);
    QVERIFY(d.form.ResultEd->toPlainText().contains(QStringLiteral("1. S1; chose S2\n")));
    // Kept together though neither chose the other.
    QCOMPARE(DGroupRecord::Load(d.test).together, (std::vector<DGroupSettings::Pair>{{1, 3}}));
    // The printed heading names the rule.
    QString printed;
    d.form.SetPrintDialog([&](const QTextDocument& document) { printed = document.toPlainText(); });
    d.Click(d.form.PrintBt);
    QVERIFY2(printed.contains(QStringLiteral("\nQuestions counted: 1, 2, 3, 4, 5\nS1 and S3: together\n\n")),
             qPrintable(printed));
}

// The sociogram's boxes take their group's colour while a proposal is
// shown, and lose it when the dialog closes.
void TestTFormGroups::groupsColourTheSociogramWhileShown()
{
    Dialog d;
    int redraws = 0;
    d.form.SetShowGroups([&] { ++redraws; });
    d.Click(d.form.ProposeBt);
    QVERIFY(d.errors.isEmpty());
    const std::vector<qint32>& groupOf = d.test.graph.soc.groupOf;
    QCOMPARE(groupOf.size(), std::size_t(8));
    QCOMPARE(redraws, 1);
    // The pairs who chose each other share a group; at least two groups.
    for (std::size_t s = 0; s < 8; s += 2)
        QCOMPARE(groupOf[s], groupOf[s + 1]);
    QVERIFY(*std::max_element(groupOf.begin(), groupOf.end()) >= 1);

    QImage picture;
    d.test.graph.soc.Draw(picture);
    const QPoint first = d.test.graph.soc.SubjOrigGet(d.test.subj.List().GetSelected(0));
    QCOMPARE(picture.pixel(first + QPoint(0, 12)) | 0xFF000000u, DPalette::Group(groupOf[0]).rgb());

    d.form.hide();
    QVERIFY(d.test.graph.soc.groupOf.empty());
    QCOMPARE(redraws, 2);
}

KC_TEST_MAIN(TestTFormGroups)
#include "test_TFormGroups.moc"
