#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjList.h"
#include "tests/TestSupport.h"

namespace
{
using TestSupport::ErrorOf;

// Gives every subject a recognisable surname, name, sex and note.
void Fill(DSubjList& list)
{
    for (DSubjElem& s : list.Get())
    {
        const QString n = QString::number(s.id.GetValue());
        s.appe.Surname().SetText(QStringLiteral("S") + n);
        s.appe.Name().SetText(QStringLiteral("N") + n);
        s.note.SetText(QStringLiteral("note ") + n);
        s.sex.SetValue(s.id.GetValue() % 2, false);
    }
}

QStringList Surnames(const DSubjList& list)
{
    QStringList result;
    for (const DSubjElem& s : list.Get())
        result << s.appe.Surname().ToString();
    return result;
}

// The names import on a list of its own: each line finds its subject.
void Import(DSubjList& list, int format, const QStringList& lines)
{
    const std::vector<DSubjNameLine> parsed = DSubjList::ReadMemo(format, lines);
    list.FromMemo(parsed, list.MatchMemo(parsed));
}

void CheckNumbering(const DSubjList& list, DDesi& desi)
{
    QCOMPARE(qsizetype(list.Get().size()), qsizetype(list.GetSize()));
    QCOMPARE(desi.SubjCount(), list.GetSize());
    for (std::size_t k = 0; k < list.Get().size(); ++k)
        QCOMPARE(list.Get()[k].id.GetValue(), qint32(k + 1));
}
} // namespace

class TestDSubjList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newListHasTenFemaleSubjects()
    {
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        CheckNumbering(list, desi);
        QCOMPARE(list.GetSize(), 10);
        QVERIFY(!list.IsChangedByUser());
        for (const DSubjElem& s : list.Get())
        {
            QVERIFY(s.sex.IsFemale());
            QVERIFY(!s.appe.IsFilled() && !s.note.HasText());
            QCOMPARE(s.soci.acceptance.Get(), QPoint(0, 0));
            QVERIFY(s.soci.picture.isNull());
        }
        QCOMPARE(list.SummaryText(), QStringLiteral("10 subjects: 10 female, 0 male"));
    }

    void summaryInBothLanguages()
    {
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        QCOMPARE(list.GetSelected(2).sex.Invert(), QStringLiteral("Male"));
        list.GetSelected(5).sex.Invert();
        QVERIFY(list.IsChangedByUser());
        QCOMPARE(list.SummaryText(), QStringLiteral("10 subjects: 8 female, 2 male"));

        DLanguage italian(DLanguage::Italian);
        QCOMPARE(list.SummaryText(), QStringLiteral("10 soggetti: 8 femmine, 2 maschi"));
        QCOMPARE(list.GetSelected(2).sex.Invert(), QStringLiteral("Femmina"));
        QCOMPARE(list.GetSelected(3).sex.ToString(), QStringLiteral("Femmina"));
    }

    // The size the user types: the accepted number, or -1 for error 50070.
    void setSizeFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::newRow("grow") << "12" << 12;
        QTest::newRow("shrink") << "5" << 5;
        QTest::newRow("lowest") << "1" << 1;
        QTest::newRow("highest") << "100" << 100;
        QTest::newRow("same") << "10" << 10;
        QTest::newRow("blanks around") << " 7 " << 7;
        QTest::newRow("zero") << "0" << -1;
        QTest::newRow("above") << "101" << -1;
        QTest::newRow("negative") << "-3" << -1;
        QTest::newRow("letters") << "x" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("fraction") << "1.5" << -1;
        QTest::newRow("overflow") << "99999999999" << -1;
    }
    void setSizeFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        Fill(list);
        const QStringList before = Surnames(list);

        const QString error = ErrorOf([&] { list.SetSize(text); });
        if (size < 0)
        {
            QCOMPARE(error, QStringLiteral("The number of subjects must be between \"1\" and \"100\"!"));
            QCOMPARE(Surnames(list), before);
            QVERIFY(!list.IsChangedByUser());
            CheckNumbering(list, desi);
            return;
        }
        QCOMPARE(error, QString());
        QCOMPARE(list.GetSize(), size);
        CheckNumbering(list, desi);
        QCOMPARE(list.IsChangedByUser(), size != 10);
        // The first subjects keep everything; appended ones are new.
        for (int k = 0; k < size; ++k)
        {
            const DSubjElem& s = list.GetSelected(k);
            if (k < 10)
            {
                QCOMPARE(s.appe.Surname().ToString(), before.at(k));
                QCOMPARE(s.sex.GetValue(), (k + 1) % 2);
                QCOMPARE(s.note.ToString(), QStringLiteral("note %1").arg(k + 1));
            }
            else
                QVERIFY(!s.appe.IsFilled() && s.sex.IsFemale() && !s.note.HasText());
        }
    }

    void programResizeReplacesEverySubject()
    {
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        Fill(list);
        list.SetSize(12, false);
        CheckNumbering(list, desi);
        for (const DSubjElem& s : list.Get())
            QVERIFY(!s.appe.IsFilled() && s.sex.IsFemale());
        // A count outside the range never reaches the list, whoever asks.
        QVERIFY(!ErrorOf([&] { list.SetSize(0, false); }).isEmpty());
        QVERIFY(!ErrorOf([&] { list.SetSize(101, true); }).isEmpty());
        QCOMPARE(list.GetSize(), 12);
    }

    void lowerSizeDropsChoicesOfRemovedSubjects()
    {
        DDesi desi;
        desi.SetQues(1);
        desi.SetAnsw(1);
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        desi.SetDesi(1, 1, 1, 9);
        desi.SetDesi(1, 1, 2, 3);
        list.SetSize(QStringLiteral("5"));
        QCOMPARE(desi.GetDesi(1, 1, 1), 0);
        QCOMPARE(desi.GetDesi(1, 1, 2), 3);
    }

    void getSelectedOutsideTheList()
    {
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        const QString expected = QStringLiteral("Memory access failed in the \"DSubjList::GetSelected()\" module!");
        QCOMPARE(ErrorOf([&] { list.GetSelected(-1); }), expected);
        QCOMPARE(ErrorOf([&] { list.GetSelected(10); }), expected);
        QCOMPARE(&list.GetSelected(9), &list.Get().back());
    }

    void pickListAndLookUp()
    {
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        list.SetSize(5, false);
        const auto name = [&](int k, const char* surname, const char* given)
        {
            list.GetSelected(k).appe.Surname().SetText(QString::fromUtf8(surname));
            list.GetSelected(k).appe.Name().SetText(QString::fromUtf8(given));
        };
        name(0, "Rossi", "Mario");
        name(1, "", "");
        name(2, "Bianchi", "");
        name(3, "Rossi", "Mario");
        name(4, "abate", "Luca");

        QCOMPARE(list.AppelTexts(true), (QStringList{"None", "abate Luca", "Bianchi", "Rossi Mario", "Rossi Mario"}));
        QCOMPARE(list.AppelTexts(false), (QStringList{"None", "Bianchi", "Luca abate", "Mario Rossi", "Mario Rossi"}));

        QCOMPARE(list.GetSelected(QStringLiteral("Rossi Mario"), true), 1);
        QCOMPARE(list.GetSelected(QStringLiteral("Mario Rossi"), false), 1);
        QCOMPARE(list.GetSelected(QStringLiteral("Mario Rossi"), true), 0);
        QCOMPARE(list.GetSelected(QStringLiteral("rossi mario"), true), 0);
        QCOMPARE(list.GetSelected(QStringLiteral("Bianchi"), false), 3);
        QCOMPARE(list.GetSelected(QStringLiteral("None"), true), 0);
    }

    void sortFollowsTheInterfaceLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(DLanguage::English);
        QTest::newRow("Italian") << int(DLanguage::Italian);
    }
    void sortFollowsTheInterfaceLanguage()
    {
        QFETCH(int, language);
        DLanguage active(language);
        QStringList names{"Zeta", "Èrica", "erica", "Àlfio", "bruno", "Erica"};
        DSubjList::SortNames(names);
        // Accents and case only break ties; equal names keep their order.
        QCOMPARE(names, (QStringList{"Àlfio", "bruno", "erica", "Erica", "Èrica", "Zeta"}));
    }

    void gridsShowEverySubject()
    {
        DDesi desi;
        desi.SetQues(2);
        desi.SetAnsw(3);
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        list.SetSize(3, false);
        list.GetSelected(1).appe.Surname().SetText(QStringLiteral("Rossi"));
        list.GetSelected(1).appe.Name().SetText(QStringLiteral("Mario"));
        list.GetSelected(1).sex.SetValue(1, false);
        list.GetSelected(1).note.SetText(QStringLiteral("tall"));
        desi.SetDesi(1, 2, 2, 3);

        QCOMPARE(list.ListAllRows().at(1), (QStringList{"2", "Rossi", "Mario", "Male", "tall"}));
        QCOMPARE(list.ListSelRows([&desi](qint32 subject) { return desi.GetSubjSummary(subject); }).at(1),
                 (QStringList{"2", "Rossi", "Mario", "1 of 6"}));
    }

    void memoLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("final break") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("no final break") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("empty line inside") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("only a break") << "\n" << QStringList{""};
        QTest::newRow("windows breaks") << "a\r\nb\r\n" << QStringList{"a", "b"};
    }
    void memoLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(DSubjList::MemoLines(text), lines);
    }

    // Text imported into ten subjects S1..S10 N1..N10 (odd ones male,
    // notes "note k"), split into lines as the import dialog does: each
    // subject afterwards as "surname/name/sex/note", or the refusal, which
    // changes nothing.
    void fromMemo_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("subjects");
        QTest::addColumn<QString>("error");
        const QString none;
        // Names found in the list keep their subjects, sex and note; the
        // others come new, female and without a note.
        QTest::newRow("three into ten") << 0 << "S1, N1\nOak, Pine\nS3, N3"
                                        << QStringList{"S1/N1/M/note 1", "Oak/Pine/F/", "S3/N3/M/note 3"} << none;
        QTest::newRow("twelve into ten, surname only")
            << 4 << "A\nB\nC\nD\nE\nF\nG\nH\nI\nJ\nK\nL\n"
            << QStringList{"A//F/", "B//F/", "C//F/", "D//F/", "E//F/", "F//F/",
                           "G//F/", "H//F/", "I//F/", "J//F/", "K//F/", "L//F/"}
            << none;
        // Two columns copied from a spreadsheet, whatever the format.
        QTest::newRow("surname tab name, comma format") << 0 << "Rossi\tAnna\r\nVerdi\t Luca \r\n"
                                                        << QStringList{"Rossi/Anna/F/", "Verdi/Luca/F/"} << none;
        QTest::newRow("name tab surname, name-first format")
            << 3 << "Anna\tRossi" << QStringList{"Rossi/Anna/F/"} << none;
        QTest::newRow("two columns, surname-only format") << 4 << "Rossi\tAnna" << QStringList{"Rossi/Anna/F/"} << none;
        QTest::newRow("one column with both, sex and note")
            << 2 << "Rossi Anna\tf\tleft-handed\nVerdi Luca\tM"
            << QStringList{"Rossi/Anna/F/left-handed", "Verdi/Luca/M/"} << none;
        QTest::newRow("sex words in any case, empty sex kept")
            << 0 << "S1\tN1\tFEMMINA\nS2\tN2\tMASCHIO\nFir\tYew\tmale\nBay\tIvy\tFEMALE\nS5\tN5\t\tshy"
            << QStringList{"S1/N1/F/note 1", "S2/N2/M/note 2", "Fir/Yew/M/", "Bay/Ivy/F/", "S5/N5/M/shy"} << none;
        QTest::newRow("blank lines and empty cells at the end") << 0 << "\n  \nOak\tPine\t\t\n\t\n\nElm, Ash\n\n"
                                                                << QStringList{"Oak/Pine/F/", "Elm/Ash/F/"} << none;
        // Refusals name the line as the user counts them, blank ones too.
        QTest::newRow("no comma") << 0 << "Oak, Pine\nElm Ash\nBirch, Fir" << QStringList{}
                                  << "Line 2 (\"Elm Ash\"): Surname and name are not separated by a comma, as the "
                                     "chosen format asks. Nothing was imported.";
        QTest::newRow("no space after a blank line")
            << 2 << "Oak Pine\n\nElm" << QStringList{}
            << "Line 3 (\"Elm\"): Surname and name are not separated by a space, as the chosen format asks. "
               "Nothing was imported.";
        QTest::newRow("unknown sex") << 0 << "Oak\tPine\tx" << QStringList{}
                                     << "Line 1 (\"Oak \u2192 Pine \u2192 x\"): \"x\" is not a sex: write F or M, "
                                        "female or male, femmina or maschio. Nothing was imported.";
        QTest::newRow("five columns")
            << 0 << "Oak, Pine\nOak\tPine\tF\tshy\textra" << QStringList{}
            << "Line 2 (\"Oak \u2192 Pine \u2192 F \u2192 shy \u2192 extra\"): There are more "
               "than four columns: surname, name, sex and note. Nothing was imported.";
        QTest::newRow("only blank lines")
            << 0 << "\n \n"
            << QStringList{} << "The number of subjects must be between \"1\" and \"100\"!";
    }
    void fromMemo()
    {
        QFETCH(int, format);
        QFETCH(QString, text);
        QFETCH(QStringList, subjects);
        QFETCH(QString, error);
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        Fill(list);
        const QStringList before = Surnames(list);

        QCOMPARE(ErrorOf([&] { Import(list, format, DSubjList::MemoLines(text)); }), error);
        CheckNumbering(list, desi);
        if (!error.isEmpty())
        {
            QCOMPARE(Surnames(list), before);
            QVERIFY(!list.IsChangedByUser());
            return;
        }
        QStringList after;
        for (const DSubjElem& s : list.Get())
            after << QStringList{s.appe.Surname().ToString(), s.appe.Name().ToString(), s.sex.IsFemale() ? "F" : "M",
                                 s.note.ToString()}
                         .join(u'/');
        QCOMPARE(after, subjects);
        QVERIFY(list.IsChangedByUser());
    }

    void fromMemoRefusesWithoutChange_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("error");
        const QString range = QStringLiteral("The number of subjects must be between \"1\" and \"100\"!");
        QTest::newRow("no lines") << 0 << 0 << range;
        QTest::newRow("101 lines") << 4 << 101 << range;
        QTest::newRow("no format") << -1 << 3 << "Memory access failed in the \"DSubjElemAppe::FromString()\" module!";
    }
    void fromMemoRefusesWithoutChange()
    {
        QFETCH(int, format);
        QFETCH(int, lines);
        QFETCH(QString, error);
        DDesi desi;
        DSubjList list([&desi](qint32 count) { desi.SetSubj(count); });
        Fill(list);
        const QStringList before = Surnames(list);
        QStringList text;
        for (int k = 0; k < lines; ++k)
            text << QStringLiteral("Oak, Pine");
        QCOMPARE(ErrorOf([&] { Import(list, format, text); }), error);
        // Nor does a pairing that takes a subject twice or one it lacks.
        const std::vector<DSubjNameLine> two = DSubjList::ReadMemo(0, {"Oak, Pine", "Elm, Ash"});
        for (const std::vector<qint32>& origin : {std::vector<qint32>{3, 3}, {0, 10}, {0}})
            QCOMPARE(ErrorOf([&] { list.FromMemo(two, origin); }),
                     QStringLiteral("Memory access failed in the \"DSubjList::FromMemo()\" module!"));
        QCOMPARE(Surnames(list), before);
        QVERIFY(!list.IsChangedByUser());
        CheckNumbering(list, desi);
    }

    void selectionDensity()
    {
        DSubjElemSele sele;
        sele.Set(7, 1);
        QCOMPARE(sele.Get(), 7u);
        QCOMPARE(sele.GetDensity(), 0.0);
        sele.Set(6, 4);
        QCOMPARE(sele.GetDensity(), 2.0);
        sele.Set(3);
        QCOMPARE(sele.GetDensity(), 2.0);
        sele.Init();
        QCOMPARE(sele.Get(), 0u);
        QCOMPARE(sele.GetDensity(), 0.0);
    }
};

KC_TEST_MAIN(TestDSubjList)
#include "test_DSubjList.moc"
