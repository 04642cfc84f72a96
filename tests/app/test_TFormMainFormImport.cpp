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
    const QByteArray before = test.file.ToBytes();
    // The dialog's import of a form in which subjects 1 and 2 chose each other
    // in every question and rank they could.
    form.SetFormImportDialog(
        [&]
        {
            DFormImport(DCsvReader::Parse("Name,A,B\n1,2,\n2,1,\n", "f"), QStringLiteral("f"), test.subj.List(),
                        test.desi)
                .Apply(test.desi);
        });
    form.FormImportAc->trigger();
    QVERIFY(errors.isEmpty());
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
        });
    form.FormImportAc->trigger();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(form.UndoStack()->count(), 1);
}

KC_TEST_MAIN(TestTFormMainFormImport)
#include "test_TFormMainFormImport.moc"
