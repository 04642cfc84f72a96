#include "answers/DAnswPaste.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

namespace
{
using Cells = std::vector<DAnswPaste::Cell>;

// Subjects 1 Rossi Anna, 2 Bianchi Luca, 3 Rossi Anna again, 4 Verdi Carlo,
// 5 without a name, 6 Ferrà Élodie, then 7 to 12 "S7 N7"... so that numbers
// of two digits exist.
struct Fixture
{
    DTest test;
    Fixture()
    {
        test.subj.List().SetSize(12, false);
        const QList<QStringList> names = {{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Rossi", "Anna"}, {"Verdi", "Carlo"},
                                          {"", ""},          {"Ferrà", "Élodie"}};
        for (int k = 0; k < 12; ++k)
        {
            DSubjElemAppe& appe = test.subj.List().GetSelected(k).appe;
            appe.Surname().SetText(k < names.size() ? names[k][0] : QStringLiteral("S%1").arg(k + 1));
            appe.Name().SetText(k < names.size() ? names[k][1] : QStringLiteral("N%1").arg(k + 1));
        }
    }
    // Subject 4 answers; the grid has 5 questions and 3 answers.
    DAnswPaste::Target At(int question, int answer) const
    {
        return {test.subj.List(), 12, 4, question, answer, 5, 3, &test.desi};
    }
};
} // namespace

Q_DECLARE_METATYPE(Cells)

class TestDAnswPaste : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resolve_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("answer");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QString>("error");
        QTest::newRow("numbers, spreadsheet line ends")
            << "1\t2\r\n12\t\t6\r\n"
            << 2 << 1 << Cells{{2, 1, 1}, {2, 2, 2}, {3, 1, 12}, {3, 2, 0}, {3, 3, 6}} << QString();
        QTest::newRow("names in either order, any case and spacing, None")
            << "bianchi luca\t  n8   S8\tnone" << 1 << 1 << Cells{{1, 1, 2}, {1, 2, 8}, {1, 3, 0}} << QString();
        QTest::newRow("ragged rows from the current cell")
            << "ferra elodie\nN7 S7\tLuca Bianchi" << 4 << 2 << Cells{{4, 2, 6}, {5, 2, 7}, {5, 3, 2}} << QString();
        QTest::newRow("unknown name") << "2\t3\nRossi Mario" << 1 << 1 << Cells{}
                                      << "Line 2, column 1 of the pasted block (question 2, answer 1): \"Rossi Mario\" "
                                         "is neither the number nor the name of a subject.";
        QTest::newRow("number out of range") << "13" << 1 << 1 << Cells{}
                                             << "Line 1, column 1 of the pasted block (question 1, answer 1): \"13\" "
                                                "is neither the number nor the name of a subject.";
        QTest::newRow("namesakes") << "2\tAnna Rossi" << 1 << 2 << Cells{}
                                   << "Line 1, column 2 of the pasted block (question 1, answer 3): \"Anna Rossi\" is "
                                      "the name of more than one subject: paste their numbers instead.";
        QTest::newRow("self-choice by name")
            << "1\n2\n\tVerdi Carlo" << 1 << 1 << Cells{}
            << "Line 3, column 2 of the pasted block (question 3, answer 2): \"Verdi Carlo\" is the subject who "
               "answers: nobody can choose themselves.";
        QTest::newRow("repeats a stored choice")
            << "2" << 1 << 2 << Cells{}
            << "Line 1, column 1 of the pasted block (question 1, answer 2): \"2\" is also chosen in answer 1 of this "
               "question: nobody can be chosen twice in one question.";
        QTest::newRow("repeats within the block")
            << "7\tn7 s7" << 2 << 1 << Cells{}
            << "Line 1, column 1 of the pasted block (question 2, answer 1): \"7\" is also chosen in answer 2 of this "
               "question: nobody can be chosen twice in one question.";
        QTest::newRow("moves a choice to another answer")
            << "7\t2" << 1 << 1 << Cells{{1, 1, 7}, {1, 2, 2}} << QString();
        QTest::newRow("too wide") << "1\t2\t3" << 1 << 2 << Cells{}
                                  << "The pasted block of 1 lines and 3 columns does not fit from question 1, answer "
                                     "2: the grid has 5 questions and 3 answers.";
        QTest::newRow("too long") << "1\n2\n3" << 4 << 1 << Cells{}
                                  << "The pasted block of 3 lines and 1 columns does not fit from question 4, answer "
                                     "1: the grid has 5 questions and 3 answers.";
        QTest::newRow("nothing") << "\r\n"
                                 << 1 << 1 << Cells{} << "There is nothing to paste: the clipboard holds no text.";
    }
    void resolve()
    {
        QFETCH(QString, text);
        QFETCH(int, question);
        QFETCH(int, answer);
        QFETCH(Cells, cells);
        QFETCH(QString, error);
        Fixture f;
        // Subject 4 chose subject 2 first in question 1.
        f.test.desi.SetDesi(1, 1, 4, 2);
        Cells got;
        QCOMPARE(TestSupport::ErrorOf([&] { got = DAnswPaste::Resolve(text, f.At(question, answer)); }), error);
        QCOMPARE(got, cells);
    }

    void copiedTextPastesBack()
    {
        const QList<QStringList> rows = {{"Rossi Anna", ""}, {"", "7"}};
        QCOMPARE(DAnswPaste::Text(rows), QStringLiteral("Rossi Anna\t\n\t7\n"));
        QCOMPARE(DAnswPaste::Rows(DAnswPaste::Text(rows)), rows);

        // Each stored choice copies as a text that pastes back to it: a
        // shared or missing name as the number.
        Fixture f;
        const DSubjList& list = f.test.subj.List();
        QCOMPARE(DAnswPaste::CellText(list, 12, 2, true), QStringLiteral("Bianchi Luca"));
        QCOMPARE(DAnswPaste::CellText(list, 12, 2, false), QStringLiteral("Luca Bianchi"));
        QCOMPARE(DAnswPaste::CellText(list, 12, 3, true), QStringLiteral("3"));
        QCOMPARE(DAnswPaste::CellText(list, 12, 5, true), QStringLiteral("5"));
        QCOMPARE(DAnswPaste::CellText(list, 12, 0, true), QString());
        for (qint32 value = 0; value <= 12; ++value)
        {
            if (value == 4) // the one who answers
                continue;
            const QString text = DAnswPaste::CellText(list, 12, value, value % 2 == 0);
            const auto cells = DAnswPaste::Resolve(text.isEmpty() ? QStringLiteral("None") : text, f.At(1, 1));
            QCOMPARE(cells.front().value, value);
        }
    }
};

KC_TEST_MAIN(TestDAnswPaste)
#include "test_DAnswPaste.moc"
