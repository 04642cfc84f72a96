#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QTemporaryDir>
#include <QToolButton>

class TestTFormMainReport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reportFromTheToolbar();
};

// The toolbar's class report: the user picks where, the PDF is written
// there; a folder that is not there is named with the reason, and a
// cancelled dialog writes nothing.
void TestTFormMainReport::reportFromTheToolbar()
{
    DLanguage language{DLanguage::Italian};
    DTest test;
    TApplication windows{test, language};
    TFormMain& form = windows.FormMain();
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    BuildClassTest(test);
    test.subj.Description().SetText(QStringLiteral("Classe 3B"));
    QTemporaryDir dir;
    QString answer = dir.filePath(QStringLiteral("3B.pdf"));
    int asked = 0;
    form.SetReportDialog(
        [&]
        {
            ++asked;
            return answer;
        });

    QToolButton* button = nullptr;
    for (QToolButton* candidate : form.findChildren<QToolButton*>())
        if (candidate->defaultAction() == form.ReportAc)
            button = candidate;
    QVERIFY(button);
    QCOMPARE(button->toolTip(), language.GetStr(28280));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(asked, 1);
    QCOMPARE(errors, QStringList());
    const QByteArray pdf = TestSupport::ReadFile(answer);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.size() > 10000);

    answer = dir.filePath(QStringLiteral("missing/3B.pdf"));
    form.ReportAc->trigger();
    // The system's reason follows, in the interface language.
    QCOMPARE(errors.size(), 1);
    const QString named = QStringLiteral("Impossibile scrivere \"%1\": ").arg(answer);
    QVERIFY2(errors.first().startsWith(named) && errors.first().size() > named.size() + 3, qPrintable(errors.first()));

    errors.clear();
    answer.clear();
    form.ReportAc->trigger();
    QCOMPARE(errors, QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("3B.pdf")});
}

KC_TEST_MAIN(TestTFormMainReport)
#include "test_TFormMainReport.moc"
