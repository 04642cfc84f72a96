#include "answers/DFormImport.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

namespace
{
using TestSupport::ErrorOf;

// Five subjects (two of them of one name), two questions of two answers;
// subject 1 and subject 5 have answered already.
struct Class
{
    DTest test;
    Class()
    {
        test.ques.List().SetSize(2, true);
        test.answ.num.SetValue(2, true);
        test.subj.List().SetSize(5, true);
        const QStringList names[] = {{"Rossi", "Mario"},
                                     {"Bianchi", QString::fromUtf8("Élodie")},
                                     {"Verdi", "Luca"},
                                     {"Verdi", "Luca"},
                                     {"Neri", "Anna"}};
        for (qint32 s = 0; s < 5; ++s)
        {
            test.subj.List().GetSelected(s).appe.Surname().SetText(names[s][0]);
            test.subj.List().GetSelected(s).appe.Name().SetText(names[s][1]);
        }
        test.desi.SetDesi(1, 1, 1, 5);
        test.desi.SetDesi(2, 2, 1, 4);
        test.desi.SetDesi(1, 1, 5, 1);
        test.desi.SetDesi(2, 2, 5, 2);
    }
    DFormImport Form(const QByteArray& bytes)
    {
        return DFormImport(DCsvReader::Parse(bytes, QStringLiteral("form.csv")), QStringLiteral("form.csv"),
                           test.subj.List(), test.desi);
    }
    // Every subject's answers: "q1r1 q1r2|q2r1 q2r2", subjects apart by ";".
    QString Matrix() const
    {
        QStringList subjects;
        for (qint32 s = 1; s <= 5; ++s)
        {
            QStringList questions;
            for (qint32 q = 1; q <= 2; ++q)
                questions << QStringLiteral("%1 %2").arg(test.desi.GetDesi(q, 1, s)).arg(test.desi.GetDesi(q, 2, s));
            subjects << questions.join(u'|');
        }
        return subjects.join(u';');
    }
};

QString Roles(const QList<DFormImport::Column>& columns)
{
    QStringList roles;
    for (const DFormImport::Column& column : columns)
        roles << (column.role == DFormImport::Role::Ignored ? QStringLiteral("-")
                  : column.role == DFormImport::Role::Respondent
                      ? QStringLiteral("R")
                      : QStringLiteral("%1.%2").arg(column.question).arg(column.rank));
    return roles.join(u',');
}

// The user's word on every name to resolve whose text is text (any spelling).
void ResolveAll(DFormImport& form, const QString& text, qint32 choice)
{
    for (const DFormImport::Name& name : form.Problems())
        if (DSubjMatch::Key(name.text) == DSubjMatch::Key(text))
            form.Resolve(name, choice);
}

const QByteArray kHeader = "Timestamp,Email address,Your name,Q1 first,Q1 second,Q2 first,Q2 second\r\n";
} // namespace

class TestDFormImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { language_ = std::make_unique<DLanguage>(DLanguage::English); }
    void guess_data();
    void guess();
    void import_data();
    void import();
    void refusals_data();
    void refusals();
    void problemsListUnknownNamesOnce();
    void nameFittingTwoIsResolvedCellByCell();
    void rowsOfOneSubjectAreResolved();
    void summaryTellsWhatWasTakenAndLeft();
    void cancelledImportChangesNothing();

private:
    std::unique_ptr<DLanguage> language_;
};

void TestDFormImport::guess_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("roles");
    QTest::newRow("form service: time, e-mail, name, answers")
        << kHeader + "2024/05/02 10:00:01,a@b.it,Rossi Mario,2,3,4,5\r\n"
        << "-,-,R,1.1,1.2,2.1,2.2";
    QTest::newRow("times and addresses told by their cells")
        << QByteArray("When,Who,Contact,A,B\n02.05.2024 10:00,Rossi Mario,mario@x.it,2,3\n") << "-,R,-,1.1,1.2";
    QTest::newRow("no header words: the first column is the respondent")
        << QByteArray("A;B;C\nRossi Mario;2;3\n") << "R,1.1,1.2";
    QTest::newRow("a name column after another")
        << QByteArray("Class,Nome e cognome,x,y\n3B,Rossi Mario,2,3\n") << "-,R,1.1,1.2";
    QTest::newRow("question and rank from the header")
        << QByteArray("Name\tDomanda 2 - scelta 1\tDomanda 1 - scelta 2\nRossi\t2\t3\n") << "R,2.1,1.2";
    QTest::newRow("trailing empty columns ignored")
        << QByteArray("Name,a,b,c,d,e,f\nRossi Mario,2,3,4,,,\n") << "R,1.1,1.2,2.1,2.2,-,-";
    QTest::newRow("more columns than the test takes")
        << QByteArray("Name,a,b,c,d,e\nRossi Mario,2,3,4,5,1\n") << "R,1.1,1.2,2.1,2.2,3.1";
}

void TestDFormImport::guess()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, roles);
    Class c;
    QCOMPARE(Roles(c.Form(bytes).Columns()), roles);
}

void TestDFormImport::import_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("resolutions");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<int>("emptied");
    // Subject 1's answers are replaced, question 2 rank 2 emptied; subject 5
    // has no row and keeps hers.
    QTest::newRow("names and numbers, empty cells")
        << kHeader + "2024/05/02 10:00:01,a@b.it,Rossi Mario,Bianchi Elodie,3,Neri Anna,\r\n"
        << QStringList() << "2 3|5 0;0 0|0 0;0 0|0 0;0 0|0 0;1 0|0 2" << 0 << 0;
    QTest::newRow("tabs, byte-order mark, name first in any case, blank rows")
        << QByteArray("\xEF\xBB\xBFName\tA\tB\tC\tD\n\nmario ROSSI\t5\t\t\t2\n\t\t\t\t\n ELODIE  bianchi \t1\t\t\t\n")
        << QStringList() << "5 0|0 2;1 0|0 0;0 0|0 0;0 0|0 0;1 0|0 2" << 0 << 0;
    QTest::newRow("semicolons, quoted names with commas and line breaks")
        << QByteArray("Name;A;B;C;D\r\n\"Rossi, Mario\";\"Neri\r\nAnna\";2;;\r\n") << QStringList()
        << "5 2|0 0;0 0|0 0;0 0|0 0;0 0|0 0;1 0|0 2" << 0 << 0;
    QTest::newRow("ambiguous and unknown names resolved by the user")
        << QByteArray("Name,A,B,C,D\nVerdi Luca,Mario R.,,,\nNeri Anna,Verdi Luca,,,\n")
        << QStringList{"Verdi Luca=3", "mario r.=0"} << "5 0|0 4;0 0|0 0;0 0|0 0;1 0|0 0;4 0|0 0" << 0 << 0;
    // The stranger's own row goes; Rossi Mario, who chose the stranger, keeps
    // his row with that choice empty; Elodie's row is taken as it is.
    QTest::newRow("a name the user leaves out")
        << QByteArray("Name,A,B,C,D\nSomeone Else,2,,,\nRossi Mario,Someone Else,3,,\nBianchi Elodie,1,,,\n")
        << QStringList{"Someone Else=-1"} << "0 3|0 0;1 0|0 0;0 0|0 0;0 0|0 0;1 0|0 2" << 1 << 1;
}

void TestDFormImport::import()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, resolutions);
    QFETCH(QString, matrix);
    QFETCH(int, leftOut);
    QFETCH(int, emptied);
    Class c;
    DFormImport form = c.Form(bytes);
    for (const QString& resolution : resolutions)
        ResolveAll(form, resolution.section(u'=', 0, 0), resolution.section(u'=', 1).toInt());
    const DFormImport::Plan plan = form.Apply(c.test.desi);
    QCOMPARE(c.Matrix(), matrix);
    QCOMPARE(plan.leftOut.size(), leftOut);
    QCOMPARE(plan.emptied.size(), emptied);
    QVERIFY(c.test.desi.IsChangedByUser());
}

void TestDFormImport::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray head = "Name,A,B,C,D\n";
    QTest::newRow("unknown name") << head + "Rossi Mario,2,,,\nBianchi Elodie,Rossi Maria,,,\n"
                                  << "Row 3, column 2 (\"A\"): \"Rossi Maria\" matches no subject of the test.";
    QTest::newRow("unknown respondent")
        << head + "Gialli Paolo,2,,,\n"
        << "Row 2, column 1 (\"Name\"): \"Gialli Paolo\" matches no subject of the test.";
    QTest::newRow("ambiguous name")
        << head + "Rossi Mario,,luca verdi,,\n"
        << "Row 2, column 3 (\"B\"): \"luca verdi\" fits more than one subject: 3. Verdi Luca, 4. Verdi Luca.";
    QTest::newRow("self-choice by name") << head + "Rossi Mario,2,,,\nNeri Anna,,,Anna Neri,\n"
                                         << "Row 3, column 4 (\"C\"): \"Anna Neri\" is the respondent, who cannot "
                                            "choose themself.";
    QTest::newRow("self-choice by number")
        << head + "2,2,,,\n"
        << "Row 2, column 2 (\"A\"): \"2\" is the respondent, who cannot choose themself.";
    QTest::newRow("number outside the subjects")
        << head + "Rossi Mario,6,,,\n"
        << "Row 2, column 2 (\"A\"): \"6\" is no subject of the test (numbers go "
           "from 1 to 5).";
    QTest::newRow("more ranks than answers")
        << QByteArray("Name,Q1 R1,Q1 R3\nRossi Mario,2,3\n")
        << "Row 2, column 3 (\"Q1 R3\"): \"3\" is answer 3 of question 1, but the test has 2 questions of 2 answers.";
    QTest::newRow("name chosen twice in a question")
        << head + "Rossi Mario,Neri Anna,5,,\n"
        << "Row 2, column 3 (\"B\"): \"5\" is chosen twice in question 1 (also in column 2).";
    QTest::newRow("same respondent twice")
        << head + "Rossi Mario,2,,,\n\"mario rossi\",3,,,\n"
        << "Rows 2 and 3 both hold the answers of \"mario rossi\": keep one of them.";
    QTest::newRow("answers without a respondent")
        << head + ",2,,,\n"
        << "Row 2, column 1 (\"Name\"): the respondent is missing, yet the row holds answers.";
    QTest::newRow("header only") << head << "The form \"form.csv\" holds no row of answers below its header.";
}

void TestDFormImport::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Class c;
    const QByteArray before = c.test.file.ToBytes();
    QCOMPARE(ErrorOf([&] { c.Form(bytes).Apply(c.test.desi); }), message);
    // Refused as a whole: the rows before the fault changed nothing either.
    QCOMPARE(c.test.file.ToBytes(), before);
}

void TestDFormImport::problemsListUnknownNamesOnce()
{
    Class c;
    DFormImport form = c.Form("Name,A,B,C,D\nVerdi Luca,Gialli Paolo,3,,\nNeri Anna,gialli  paolo,verdi LUCA,,\n");
    // A name of no subject is resolved once, wherever it is written; a name
    // that fits two, in each cell.
    const QList<DFormImport::Name> names = form.Problems();
    QCOMPARE(names.size(), 3);
    QCOMPARE(names[0].text, QStringLiteral("Verdi Luca"));
    QCOMPARE(names[0].problem, DFormImport::Problem::Ambiguous);
    QCOMPARE(names[0].match.candidates, (QList<qint32>{2, 3}));
    QCOMPARE(names[1].text, QStringLiteral("Gialli Paolo"));
    QCOMPARE(names[1].problem, DFormImport::Problem::Unmatched);
    QCOMPARE(names[2].text, QStringLiteral("verdi LUCA"));
    QCOMPARE(names[2].line, 3);
    // Two columns for the respondent or for one answer: the mapping is refused.
    form.SetColumn(1, {DFormImport::Role::Respondent, 0, 0});
    QCOMPARE(ErrorOf([&] { form.Build(); }),
             QStringLiteral("Columns 1 (\"Name\") and 2 (\"A\") both name the respondent: keep one of them."));
    form.SetColumn(1, {DFormImport::Role::Answer, 1, 2});
    QCOMPARE(ErrorOf([&] { form.Build(); }),
             QStringLiteral("Columns 2 (\"A\") and 3 (\"B\") both hold answer 2 of question 1: keep one of them."));
    form.SetColumn(1, {});
    form.SetColumn(0, {});
    QCOMPARE(ErrorOf([&] { form.Build(); }),
             QStringLiteral("No column of the form names the respondent: choose one among the columns."));
}

// "Verdi Luca" fits subjects 3 and 4: the row shows who wrote it, and each
// cell takes the user's own word.
void TestDFormImport::nameFittingTwoIsResolvedCellByCell()
{
    Class c;
    DFormImport form = c.Form("Name,A,B,C,D\nRossi Mario,Verdi Luca,,,\nNeri Anna,Verdi Luca,,,\n");
    const QList<DFormImport::Name> names = form.Problems();
    QCOMPARE(names.size(), 2);
    for (const DFormImport::Name& name : names)
        QCOMPARE(name.problem, DFormImport::Problem::Ambiguous);
    QCOMPARE(names[0].line, 2);
    QCOMPARE(names[0].respondent, QStringLiteral("Rossi Mario"));
    QCOMPARE(names[1].line, 3);
    QCOMPARE(names[1].respondent, QStringLiteral("Neri Anna"));
    form.Resolve(names[0], 2);
    QCOMPARE(ErrorOf([&] { form.Build(); }),
             QStringLiteral("Row 3, column 2 (\"A\"): \"Verdi Luca\" fits more than one subject: "
                            "3. Verdi Luca, 4. Verdi Luca."));
    form.Resolve(names[1], 3);
    QCOMPARE(form.Resolution(names[0]), 2);
    form.Apply(c.test.desi);
    QCOMPARE(c.Matrix(), QStringLiteral("3 0|0 0;0 0|0 0;0 0|0 0;0 0|0 0;4 0|0 0"));
}

// A pupil who sent the form twice: the user keeps one of the rows, or none.
void TestDFormImport::rowsOfOneSubjectAreResolved()
{
    const QByteArray bytes = "Name,A,B,C,D\nRossi Mario,2,,,\nNeri Anna,1,,,\n\"mario rossi\",3,,,\nGialli,1,,,\n";
    Class c;
    DFormImport form = c.Form(bytes);
    QList<DFormImport::Name> names = form.Problems();
    QCOMPARE(names.size(), 2);
    QCOMPARE(names[0].problem, DFormImport::Problem::Unmatched);
    QCOMPARE(names[1].problem, DFormImport::Problem::Twice);
    // A stranger named as a subject who answered already: a second row of hers.
    form.Resolve(names[0], 4);
    names = form.Problems();
    QCOMPARE(names.size(), 3);
    const DFormImport::Name& rossi = names[1];
    QCOMPARE(rossi.problem, DFormImport::Problem::Twice);
    QCOMPARE(rossi.subject, 0);
    QCOMPARE(rossi.text, QStringLiteral("Rossi Mario"));
    QCOMPARE(rossi.lines, (QList<qint32>{2, 4}));
    const DFormImport::Name& neri = names[2];
    QCOMPARE(neri.subject, 4);
    QCOMPARE(neri.lines, (QList<qint32>{3, 5}));
    QCOMPARE(ErrorOf([&] { form.Build(); }),
             QStringLiteral("Rows 2 and 4 both hold the answers of \"mario rossi\": keep one of them."));
    form.Resolve(rossi, 4);
    form.Resolve(neri, DFormImport::kSkipRows);
    const DFormImport::Plan plan = form.Apply(c.test.desi);
    QCOMPARE(c.Matrix(), QStringLiteral("3 0|0 0;0 0|0 0;0 0|0 0;0 0|0 0;1 0|0 2"));
    QCOMPARE(plan.leftOut.size(), 3);
    QCOMPARE(plan.leftOut[0].line, 2);
    QCOMPARE(plan.leftOut[0].kept, 4);
    QCOMPARE(plan.leftOut[1].line, 3);
    QCOMPARE(plan.leftOut[1].kept, 0);
}

void TestDFormImport::summaryTellsWhatWasTakenAndLeft()
{
    Class c;
    DFormImport form = c.Form("Name,A,B,C,D\nSomeone Else,2,,,\nRossi Mario,Someone Else,3,,\n"
                              "Bianchi Elodie,1,,,\nrossi mario,4,,,\n");
    ResolveAll(form, QStringLiteral("Someone Else"), DFormImport::kSkipRows);
    ResolveAll(form, QStringLiteral("Rossi Mario"), 5);
    const DFormImport::Plan plan = form.Apply(c.test.desi);
    QCOMPARE(form.Summary(plan, *language_),
             QString::fromUtf8("Answers taken in from 2 rows of the form.\n"
                               "\n"
                               "Rows left out (2):\n"
                               "row 2 (\"Someone Else\"): you chose to leave out this name\n"
                               "row 3 (\"Rossi Mario\"): row 5 of the same subject was taken in\n"
                               "\n"
                               "Subjects with no row in the form, whose answers stay as they were (3): "
                               "3. Verdi Luca, 4. Verdi Luca, 5. Neri Anna"));
    // Keeping the first row instead: the stranger's choice is left empty, and said so.
    ResolveAll(form, QStringLiteral("Rossi Mario"), 3);
    DLanguage italian(DLanguage::Italian);
    QCOMPARE(form.Summary(form.Build(), italian),
             QString::fromUtf8("Risposte importate da 2 righe del modulo.\n"
                               "\n"
                               "Righe tralasciate (2):\n"
                               "riga 2 (\"Someone Else\"): hai scelto di tralasciare questo nome\n"
                               "riga 5 (\"rossi mario\"): è stata importata la riga 3 dello stesso soggetto\n"
                               "\n"
                               "Scelte lasciate vuote perché indicano qualcuno di tralasciato (1):\n"
                               "riga 3, colonna 2 (\"A\"): \"Someone Else\"\n"
                               "\n"
                               "Soggetti senza una riga nel modulo, le cui risposte restano com'erano (3): "
                               "3. Verdi Luca, 4. Verdi Luca, 5. Neri Anna"));
}

void TestDFormImport::cancelledImportChangesNothing()
{
    Class c;
    QByteArray bytes = "Name,A,B,C,D\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "Someone " + QByteArray::number(i) + ",2,,,\n";
    bytes += "Rossi Mario,2,,,\n";
    // Reading told of its progress, and cancelled on its way.
    QList<qint64> told;
    QVERIFY(!DFormImport::Read(bytes, QStringLiteral("form.csv"), c.test.subj.List(), c.test.desi,
                               [&](qint64 done, qint64 total)
                               {
                                   told << done;
                                   return done < total / 2;
                               }));
    QVERIFY(told.size() > 1);
    std::unique_ptr<DFormImport> form =
        DFormImport::Read(bytes, QStringLiteral("form.csv"), c.test.subj.List(), c.test.desi);
    for (const DFormImport::Name& name : form->Problems())
        form->Resolve(name, DFormImport::kSkipRows);
    const QByteArray before = c.test.file.ToBytes();
    qint64 last = 0;
    const DFormImport::Plan plan = form->Apply(c.test.desi,
                                               [&](qint64 done, qint64 total)
                                               {
                                                   last = done;
                                                   return done < total - 1000;
                                               });
    QVERIFY(plan.cancelled);
    QVERIFY(last > 0);
    QCOMPARE(c.test.file.ToBytes(), before);
    QVERIFY(!form->Apply(c.test.desi, [](qint64, qint64) { return true; }).cancelled);
    QCOMPARE(c.test.desi.GetDesi(1, 1, 1), 2);
}

KC_TEST_MAIN(TestDFormImport)
#include "test_DFormImport.moc"
