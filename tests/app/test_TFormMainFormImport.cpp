#include "answers/DFormImport.h"
#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QUndoStack>

class TestTFormMainFormImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void importIsOneStep();
};

void TestTFormMainFormImport::importIsOneStep()
{
    DLanguage language{DLanguage::English};
    DTest test;
    TApplication windows{test, language};
    TFormMain& form = windows.FormMain();
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    QStringList told;
    DMessages::SetChoiceBox(
        [&](const QString&, const QString& text, const QStringList&)
        {
            told << text;
            return 0;
        });
    const QByteArray before = test.file.ToBytes();
    // The dialog's import of a form in which subjects 1 and 2 chose each other
    // in every question and rank they could; what it did is told once the
    // answers show.
    form.SetFormImportDialog(
        [&]
        {
            DFormImport import(DCsvReader::Parse("Name,A,B\n1,2,\n2,1,\n", "f"), QStringLiteral("f"), test.subj.List(),
                               test.desi);
            return import.Summary(import.Apply(test.desi), language);
        });
    form.FormImportAc->trigger();
    QVERIFY(errors.isEmpty());
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].startsWith(QStringLiteral("Answers taken in from 2 rows of the form.")), qPrintable(told[0]));
    QCOMPARE(test.desi.GetDesi(1, 1, 1), 2);
    QCOMPARE(form.UndoStack()->count(), 1);
    QCOMPARE(form.UndoAc->text(), QStringLiteral("Undo: import of answers from a form"));
    form.UndoAcExecute();
    QCOMPARE(test.file.ToBytes(), before);
    form.RedoAcExecute();
    QCOMPARE(test.desi.GetDesi(1, 1, 2), 1);

    // A refused import is no step.
    form.SetFormImportDialog(
        [&]
        {
            DMessages::Handle(language, "test",
                              [&]
                              {
                                  DFormImport(DCsvReader::Parse("Name,A\n1,1\n", "f"), QStringLiteral("f"),
                                              test.subj.List(), test.desi)
                                      .Apply(test.desi);
                              });
            return QString();
        });
    form.FormImportAc->trigger();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(form.UndoStack()->count(), 1);
    QCOMPARE(told.size(), 1);
}

KC_TEST_MAIN(TestTFormMainFormImport)
#include "test_TFormMainFormImport.moc"
