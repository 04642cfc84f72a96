#include "document/DNamesImport.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "pages/commands/DCommandAnswer.h"
#include "pages/commands/DCommandGraphOptions.h"
#include "pages/commands/DCommandSocMove.h"
#include "pages/commands/DCommandText.h"
#include "pages/commands/DCommandValue.h"
#include "pages/commands/DCommandWhole.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QUndoStack>

#include <functional>

namespace
{
// A change as a page makes it: the model's setter, then the step pushed.
using Change = std::function<void(DTest& test, QUndoStack& stack)>;

// Four questions with texts, four answers each, six named subjects who all
// answered, a description and a few options: every kind of change has
// something to drop or replace.
void Fill(DTest& test)
{
    test.ques.List().SetSize(4, true);
    for (qint32 q = 0; q < 4; ++q)
        test.ques.List().GetSelected(q).text.UserUpdate(QStringLiteral("Question %1").arg(q + 1));
    test.ques.List().GetSelected(1).type.Invert();
    test.answ.num.SetValue(4, true);
    test.subj.List().SetSize(6, true);
    const QStringList surnames = {QStringLiteral("Rossi"), QStringLiteral("Bianchi"), QStringLiteral("Verdi"),
                                  QStringLiteral("Neri"),  QStringLiteral("Gallo"),   QStringLiteral("Costa")};
    for (qint32 s = 0; s < 6; ++s)
    {
        DSubjElem& subject = test.subj.List().GetSelected(s);
        subject.appe.Surname().UserUpdate(surnames[s]);
        subject.appe.Name().UserUpdate(QStringLiteral("Giulia"));
        subject.note.UserUpdate(QStringLiteral("note %1").arg(s + 1));
        subject.soci.acceptance.Set(true, 100 + 40 * s, 120);
    }
    for (qint32 q = 1; q <= 4; ++q)
        for (qint32 a = 1; a <= 4; ++a)
            for (qint32 s = 1; s <= 6; ++s)
                test.desi.SetDesi(q, a, s, (s + a - 1) % 6 + 1);
    test.subj.Description().UserUpdate(QStringLiteral("Class 3B"));
}

// Another test to import from, different in every part.
QByteArray OtherFile()
{
    DTest other;
    other.ques.List().SetSize(2, true);
    other.ques.List().GetSelected(0).text.UserUpdate(QStringLiteral("Imported question"));
    other.subj.List().SetSize(3, true);
    other.subj.List().GetSelected(0).appe.Surname().UserUpdate(QStringLiteral("Imported"));
    return other.file.ToBytes();
}

void PushText(DTest& test, QUndoStack& stack, DCommandText::Field field, qint32 index, const QString& text)
{
    DElemString& element = DCommandText::Element(test, field, index);
    const QString before = element.ToString();
    element.UserUpdate(text);
    stack.push(new DCommandText(test, field, index, before, element.ToString()));
}

void PushValue(DTest& test, QUndoStack& stack, DCommandValue::Field field, qint32 index, qint32 value)
{
    const qint32 before = DCommandValue::Value(test, field, index);
    stack.push(new DCommandValue(test, field, index, before, value));
}

void PushAnswer(DTest& test, QUndoStack& stack, qint32 q, qint32 a, qint32 s, qint32 value)
{
    const qint32 before = test.desi.GetDesi(q, a, s);
    test.desi.SetDesi(q, a, s, value);
    stack.push(new DCommandAnswer(test, q, a, s, before, value));
}

void PushWhole(DTest& test, QUndoStack& stack, int textId, const std::function<void()>& change)
{
    DCommandWhole::Run(test, textId, change, [&](QUndoCommand* command) { stack.push(command); });
}

void PushOptions(DTest& test, QUndoStack& stack, const std::function<void()>& change)
{
    DCommandGraphOptions::Run(test, 26400, change, [&](QUndoCommand* command) { stack.push(command); });
}

void ImportFrom(DTest& test, bool questions)
{
    QBuffer buffer;
    buffer.setData(OtherFile());
    buffer.open(QIODevice::ReadOnly);
    if (questions)
        test.file.ReadOnlyQuestions(buffer, QStringLiteral("other.KalCir"));
    else
        test.file.ReadOnlySubjects(buffer, QStringLiteral("other.KalCir"));
}
} // namespace

Q_DECLARE_METATYPE(Change)

class TestDCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DLanguage::Active().SetLanguage(DLanguage::English); }

    // Each kind of change, undone and redone, gives back the whole file byte
    // for byte as it was before and after.
    void undoRedoGiveBackTheFile_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("text");
        using T = DCommandText::Field;
        using V = DCommandValue::Field;
        QTest::newRow("question text") << Change([](DTest& t, QUndoStack& s)
                                                 { PushText(t, s, T::QuesText, 2, QStringLiteral("Who?")); })
                                       << QStringLiteral("text of question 3");
        QTest::newRow("question type") << Change([](DTest& t, QUndoStack& s) { PushValue(t, s, V::QuesType, 0, 0); })
                                       << QStringLiteral("type of question 1");
        QTest::newRow("question count lowered")
            << Change([](DTest& t, QUndoStack& s)
                      { PushWhole(t, s, 26120, [&] { t.ques.List().SetSize(QStringLiteral("2")); }); })
            << QStringLiteral("number of questions");
        QTest::newRow("question count raised")
            << Change([](DTest& t, QUndoStack& s)
                      { PushWhole(t, s, 26120, [&] { t.ques.List().SetSize(QStringLiteral("7")); }); })
            << QStringLiteral("number of questions");
        QTest::newRow("answers per question lowered")
            << Change([](DTest& t, QUndoStack& s)
                      { PushWhole(t, s, 26310, [&] { t.answ.num.SetFromText(QStringLiteral("2")); }); })
            << QStringLiteral("answers per question");
        QTest::newRow("order of names") << Change([](DTest& t, QUndoStack& s) { PushValue(t, s, V::SubjSort, 0, 1); })
                                        << QStringLiteral("order of names");
        QTest::newRow("surname") << Change([](DTest& t, QUndoStack& s)
                                           { PushText(t, s, T::Surname, 0, QStringLiteral("Russo")); })
                                 << QStringLiteral("surname of subject 1");
        QTest::newRow("name") << Change([](DTest& t, QUndoStack& s)
                                        { PushText(t, s, T::Name, 5, QStringLiteral("Anna")); })
                              << QStringLiteral("name of subject 6");
        QTest::newRow("note cleared") << Change([](DTest& t, QUndoStack& s) { PushText(t, s, T::Note, 3, {}); })
                                      << QStringLiteral("note of subject 4");
        QTest::newRow("sex") << Change([](DTest& t, QUndoStack& s) { PushValue(t, s, V::Sex, 1, 1); })
                             << QStringLiteral("sex of subject 2");
        QTest::newRow("description") << Change([](DTest& t, QUndoStack& s)
                                               { PushText(t, s, T::Description, 0, QStringLiteral("4A")); })
                                     << QStringLiteral("description of the group");
        QTest::newRow("subject count lowered")
            << Change([](DTest& t, QUndoStack& s)
                      { PushWhole(t, s, 26250, [&] { t.subj.List().SetSize(QStringLiteral("3")); }); })
            << QStringLiteral("number of subjects");
        QTest::newRow("answer picked") << Change([](DTest& t, QUndoStack& s) { PushAnswer(t, s, 1, 2, 1, 5); })
                                       << QStringLiteral("answer 2 of question 1 for Rossi Giulia");
        QTest::newRow("answer cleared") << Change([](DTest& t, QUndoStack& s) { PushAnswer(t, s, 4, 4, 6, 0); })
                                        << QStringLiteral("answer 4 of question 4 for Costa Giulia");
        QTest::newRow("import of names") << Change(
                                                [](DTest& t, QUndoStack& s)
                                                {
                                                    PushWhole(t, s, 26260,
                                                              [&] {
                                                                  DNamesImport(t, 0,
                                                                               {QStringLiteral("Ferri, Luca"),
                                                                                QStringLiteral("Sala, Eva")})
                                                                      .Apply(t);
                                                              });
                                                })
                                         << QStringLiteral("import of names");
        QTest::newRow("import of questions")
            << Change([](DTest& t, QUndoStack& s) { PushWhole(t, s, 26130, [&] { ImportFrom(t, true); }); })
            << QStringLiteral("import of questions");
        QTest::newRow("import of subjects")
            << Change([](DTest& t, QUndoStack& s) { PushWhole(t, s, 26270, [&] { ImportFrom(t, false); }); })
            << QStringLiteral("import of subjects");
        QTest::newRow("drop-down option")
            << Change([](DTest& t, QUndoStack& s) { PushOptions(t, s, [&] { t.graph.tar.stat.Choose(1); }); })
            << QStringLiteral("bar graph options");
        // Stored in the tagged section, not the analysis section.
        QTest::newRow("rank weights") << Change([](DTest& t, QUndoStack& s)
                                                { PushOptions(t, s, [&] { t.graph.weight.Choose(1); }); })
                                      << QStringLiteral("bar graph options");
        QTest::newRow("sociogram size")
            << Change([](DTest& t, QUndoStack& s)
                      { PushOptions(t, s, [&] { t.graph.soc.size.UpdateWidth(QStringLiteral("1200")); }); })
            << QStringLiteral("bar graph options");
        QTest::newRow("question left out of an analysis")
            << Change(
                   [](DTest& t, QUndoStack& s) {
                       PushOptions(t, s, [&] { t.ques.List().SetSelected(DQuesElem::Met, {true, false}); });
                   })
            << QStringLiteral("bar graph options");
        QTest::newRow("box moved") << Change(
                                          [](DTest& t, QUndoStack& s)
                                          {
                                              DSubjElemSociOrig& orig = t.subj.List().GetSelected(2).soci.acceptance;
                                              const QPoint before = orig.Get();
                                              orig.Set(true, 300, 333);
                                              s.push(new DCommandSocMove(t, true, {{2, before, QPoint(300, 333)}}));
                                          })
                                   << QStringLiteral("move of Verdi Giulia in the sociogram");
        QTest::newRow("many boxes moved")
            << Change(
                   [](DTest& t, QUndoStack& s)
                   {
                       std::vector<DCommandSocMove::Move> moves;
                       for (qint32 k = 0; k < 6; ++k)
                           moves.push_back({k, t.subj.List().GetSelected(k).soci.rejection.Get(),
                                            QPoint(50 + 10 * k, 400 - 10 * k)});
                       s.push(new DCommandSocMove(t, false, std::move(moves)));
                   })
            << QStringLiteral("arrangement of the sociogram");
    }
    void undoRedoGiveBackTheFile()
    {
        QFETCH(Change, change);
        QFETCH(QString, text);
        DTest test;
        Fill(test);
        QUndoStack stack;
        const QByteArray before = test.file.ToBytes();
        change(test, stack);
        const QByteArray after = test.file.ToBytes();
        QVERIFY(after != before);
        QCOMPARE(stack.count(), 1);
        QCOMPARE(stack.undoText(), text);

        for (int round = 0; round < 2; ++round)
        {
            stack.undo();
            QCOMPARE(test.file.ToBytes(), before);
            QVERIFY(test.IsChangedByUser());
            stack.redo();
            QCOMPARE(test.file.ToBytes(), after);
            QVERIFY(test.IsChangedByUser());
        }
    }

    // Steps on top of each other come back in order, and a coarse step in
    // between restores what the fine ones before it act on.
    void stepsUndoInOrder()
    {
        DTest test;
        Fill(test);
        QUndoStack stack;
        QList<QByteArray> states = {test.file.ToBytes()};
        PushAnswer(test, stack, 3, 1, 2, 6);
        states << test.file.ToBytes();
        PushWhole(test, stack, 26120, [&] { test.ques.List().SetSize(QStringLiteral("1")); });
        states << test.file.ToBytes();
        PushText(test, stack, DCommandText::Field::QuesText, 0, QStringLiteral("Only one"));
        states << test.file.ToBytes();
        for (int k = 3; k > 0; --k)
        {
            stack.undo();
            QCOMPARE(test.file.ToBytes(), states[k - 1]);
        }
        for (int k = 1; k <= 3; ++k)
        {
            stack.redo();
            QCOMPARE(test.file.ToBytes(), states[k]);
        }
    }

    // A refused change leaves no step; one that failed halfway through is a
    // step, so what it did can be taken back.
    void failedChanges()
    {
        DTest test;
        Fill(test);
        QUndoStack stack;
        const QByteArray before = test.file.ToBytes();
        QVERIFY(!TestSupport::ErrorOf(
                     [&] { PushWhole(test, stack, 26120, [&] { test.ques.List().SetSize(QStringLiteral("11")); }); })
                     .isEmpty());
        QCOMPARE(stack.count(), 0);
        // A names import with a bad line is refused whole.
        QVERIFY(!TestSupport::ErrorOf(
                     [&]
                     {
                         PushWhole(test, stack, 26260,
                                   [&] {
                                       DNamesImport(test, 0, {QStringLiteral("Ferri, Luca"), QStringLiteral("nocomma")})
                                           .Apply(test);
                                   });
                     })
                     .isEmpty());
        QCOMPARE(stack.count(), 0);
        QCOMPARE(test.file.ToBytes(), before);
        QVERIFY(!TestSupport::ErrorOf(
                     [&]
                     {
                         PushWhole(test, stack, 26260,
                                   [&]
                                   {
                                       test.subj.Description().UserUpdate(QStringLiteral("halfway"));
                                       throw EError(50020, {"halfway"});
                                   });
                     })
                     .isEmpty());
        QCOMPARE(stack.count(), 1);
        stack.undo();
        QCOMPARE(test.file.ToBytes(), before);
    }

    // A new test has nothing to lose, whatever the old one had changed.
    void newTestIsUnchanged()
    {
        DTest test;
        Fill(test);
        test.graph.soc.elas.Choose(1);
        QVERIFY(test.IsChangedByUser());
        test.New();
        QVERIFY(!test.IsChangedByUser());
        // The options stay for the new test, unchanged.
        QVERIFY(!test.graph.soc.elas.IsComplete());
    }
};

KC_TEST_MAIN(TestDCommands)
#include "test_DCommands.moc"
