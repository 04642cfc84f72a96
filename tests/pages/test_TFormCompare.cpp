#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormCompare.h"
#include "tests/TestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextDocument>

namespace
{
// Three subjects; 1 and 3 chose 2 (question 1, positive) in the current
// test, 1 and 2 chose 3 in the other, where Verdi is missing and Gialli new.
void Fill(DTest& test, const QStringList& surnames, const QList<QPair<qint32, qint32>>& choices)
{
    test.subj.List().SetSize(qint32(surnames.size()), false);
    for (qsizetype i = 0; i < surnames.size(); ++i)
        test.subj.List().GetSelected(qint32(i)).appe.Surname().SetText(surnames[i]);
    for (const auto& [chooser, chosen] : choices)
        test.desi.SetDesi(1, 1, chooser, chosen);
}

struct Dialog
{
    DLanguage language{DLanguage::English};
    DTest test;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    TFormCompare form{test, language};

    Dialog()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        Fill(test, {"Rossi", "Bianchi", "Verdi"}, {{1, 2}, {3, 2}});
        auto other = std::make_unique<DTest>();
        Fill(*other, {"Bianchi", "Gialli", "Rossi"}, {{1, 3}, {3, 1}});
        form.FormShow(std::move(other), QStringLiteral("/tmp/earlier.KalCir"));
        form.show();
    }
};
} // namespace

class TestTFormCompare : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsTableAndSociogram();
    void copyPrintExport();
};

void TestTFormCompare::showsTableAndSociogram()
{
    Dialog d;
    QVERIFY(QTest::qWaitForWindowExposed(&d.form));
    QCOMPARE(d.form.windowTitle(), QStringLiteral("Comparison with earlier.KalCir"));
    // Bianchi gained one acceptance (1 -> 2) and Rossi lost his (1 -> 0): as
    // large, but only Rossi's category changed.
    QCOMPARE(d.form.TableSg->rowCount(), 2);
    QCOMPARE(d.form.TableSg->item(0, 1)->text(), QStringLiteral("Rossi"));
    QCOMPARE(d.form.TableSg->item(0, 5)->text(), QStringLiteral("-1"));
    QCOMPARE(d.form.TableSg->item(1, 1)->text(), QStringLiteral("Bianchi"));
    QVERIFY(d.form.UnmatchedSt->text().contains(QStringLiteral("Only in this test: Verdi")));
    QVERIFY(d.form.UnmatchedSt->text().contains(QStringLiteral("Only in the other test: Gialli")));
    QVERIFY(d.form.SchemeSt->text().startsWith(QStringLiteral("Categories by Frequency.")));

    // Rossi -> Bianchi stayed; Rossi -> nobody else. The rejection sociogram,
    // picked with the keyboard, has no ties at all.
    QCOMPARE(d.form.TiesSt->text(), QStringLiteral("0 ties appeared, 1 disappeared, 1 stayed"));
    QVERIFY(!d.form.PictureSt->pixmap().isNull());
    d.form.TypeCb->setFocus();
    QTest::keyClick(d.form.TypeCb, Qt::Key_Down);
    QCOMPARE(d.form.TypeCb->currentIndex(), 1);
    QCOMPARE(d.form.TiesSt->text(), QStringLiteral("0 ties appeared, 0 disappeared, 0 stayed"));
    QVERIFY(d.errors.isEmpty());
}

void TestTFormCompare::copyPrintExport()
{
    Dialog d;
    QTest::mouseClick(d.form.CopyBt, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), d.form.Comparison().Text());

    QString printed;
    bool picture = false;
    d.form.SetPrintDialog(
        [&](const QTextDocument& document)
        {
            printed = document.toPlainText();
            picture =
                !document.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("kc://sociogram.png"))).isNull();
        });
    QTest::mouseClick(d.form.PrintBt, Qt::LeftButton);
    QVERIFY2(printed.contains(QStringLiteral("Change of category")), qPrintable(printed));
    QVERIFY(printed.contains(QStringLiteral("Only in the other test: Gialli")));
    QVERIFY(picture);

    // The export asks where and how, and writes the table for a spreadsheet.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("comparison.csv"));
    TFormCsvOpt::Dialogs dialogs;
    dialogs.path = [&] { return path; };
    DCsv::Options chosen;
    dialogs.options = [&](TFormCsvOpt& options)
    {
        options.show();
        QTest::mouseClick(options.SepSemicolonRb, Qt::LeftButton, {}, QPoint(6, options.SepSemicolonRb->height() / 2));
        chosen = options.Options();
        return true;
    };
    d.form.SetCsvDialogs(dialogs);
    QTest::mouseClick(d.form.ExportBt, Qt::LeftButton);
    QCOMPARE(chosen.separator, DCsv::Options::Separator::Semicolon);
    QCOMPARE(TestSupport::ReadFile(path), DCsv::Bytes(d.form.Comparison().CsvLines(chosen), chosen));
    // A cancelled export writes nothing.
    QFile::remove(path);
    dialogs.path = [] { return QString(); };
    d.form.SetCsvDialogs(dialogs);
    QTest::mouseClick(d.form.ExportBt, Qt::LeftButton);
    QVERIFY(!QFile::exists(path));
    QVERIFY(d.errors.isEmpty());
}

KC_TEST_MAIN(TestTFormCompare)
#include "test_TFormCompare.moc"
