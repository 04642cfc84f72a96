#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

namespace
{
using TestSupport::ErrorOf;

// The sections of a document as they would be written, without clearing
// any change state (the saved states of a deferring stream are never
// committed here) and without touching the file name.
QByteArray Sections(DTest& test)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write(QByteArray(126, '\0'));
    DFileStream stream(&buffer, QString(), /*deferSaved=*/true);
    test.SectionsToFile(stream);
    return buffer.data();
}

qint64 Slot(const QByteArray& file, int slot)
{
    return qFromLittleEndian<qint64>(file.constData() + 46 + 8 * slot);
}

void Patch(QByteArray& file, qint64 at, const QByteArray& bytes)
{
    file.replace(at, bytes.size(), bytes);
}

// Questions +, -, -, + with texts and mixed selections; 4 answers, name
// first; 6 subjects with names, sexes and notes; a few choices.
void MakeMixed(DTest& test)
{
    DQuesList& ques = test.ques.List();
    ques.SetSize(4, true);
    ques.GetSelected(1).type.Invert();
    ques.GetSelected(2).type.Invert();
    ques.GetSelected(0).text.UserUpdate(QStringLiteral("Con chi giocheresti?"));
    ques.GetSelected(3).text.UserUpdate(QStringLiteral("Who would you invite? «ü»"));
    ques.GetSelected(2).graphSoc.ToGraph(false);
    ques.GetSelected(3).graphMet.ToGraph(false);
    test.answ.num.SetValue(4, true);
    test.answ.subjSort.SetNameSurname();

    DSubjList& subj = test.subj.List();
    subj.SetSize(6, true);
    test.subj.Description().UserUpdate(QStringLiteral("Classe 3B"));
    subj.GetSelected(0).appe.Surname().UserUpdate(QStringLiteral("Rossi"));
    subj.GetSelected(0).appe.Name().UserUpdate(QStringLiteral("Anna"));
    subj.GetSelected(4).appe.Surname().UserUpdate(QStringLiteral("Bianchi"));
    subj.GetSelected(4).sex.Invert();
    subj.GetSelected(5).note.UserUpdate(QStringLiteral("arrived in March"));

    test.desi.SetDesi(1, 1, 1, 5);
    test.desi.SetDesi(1, 4, 1, 6);
    test.desi.SetDesi(2, 2, 3, 1);
    test.desi.SetDesi(4, 1, 6, 2);
}
} // namespace

class TestDTestRoundTrip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir.isValid()); }
    void newDocumentFile();
    void mixedRoundTrip();
    void countOutOfRange_data();
    void countOutOfRange();
    void importQuestionsReshapes();
    void importSubjectsClearsDanglingChoices();
    void newAfterChanges();
    void storedOptionRecords();
    void rankWeightRecord();
    void storedLineBreaksRoundTrip();

private:
    QTemporaryDir dir;
};

void TestDTestRoundTrip::newDocumentFile()
{
    const QString path = dir.filePath("new.KalCir");
    DTest test;
    test.file.Write(path);
    const QByteArray file = TestSupport::ReadFile(path);
    QCOMPARE(file.left(46), TestSupport::Utf16("Zelvor71Kaleidocircle") + TestSupport::Int32(2));
    QCOMPARE(Slot(file, 0), 126);
    // 4 + 5 questions of 9 bytes; 5 bytes of answer settings; 5 * 3 * 10 cells.
    QCOMPARE(Slot(file, 1), 126 + 4 + 5 * 9);
    QCOMPARE(Slot(file, 2), Slot(file, 1) + 5);
    QVERIFY(Slot(file, 3) > Slot(file, 2));
    // The analysis settings follow the matrix once they are part of the document.
    const qint64 matrixEnd = Slot(file, 4) ? Slot(file, 4) : file.size();
    QCOMPARE(matrixEnd - Slot(file, 3), 5 * 3 * 10 * 4);

    DTest read;
    read.file.Read(path);
    QVERIFY(!read.IsChangedByUser());
    QCOMPARE(read.file.FileName(), path);
    QCOMPARE(Sections(read), Sections(test));
}

void TestDTestRoundTrip::mixedRoundTrip()
{
    const QString path = dir.filePath("mixed.KalCir");
    DTest test;
    MakeMixed(test);
    QVERIFY(test.IsChangedByUser());
    const QByteArray before = Sections(test);
    test.file.Write(path);
    QVERIFY(!test.IsChangedByUser());

    DTest read;
    read.file.Read(path);
    QVERIFY(!read.IsChangedByUser());
    // Every stored field takes part in the sections: equal bytes, equal test.
    QCOMPARE(Sections(read), before);
    QCOMPARE(read.desi.QuesCount(), 4);
    QCOMPARE(read.desi.AnswCount(), 4);
    QCOMPARE(read.desi.SubjCount(), 6);
    QCOMPARE(read.desi.GetDesi(1, 4, 1), 6);
    QCOMPARE(read.desi.GetDesi(4, 1, 6), 2);
    QCOMPARE(read.ques.List().GetSelected(3).text.ToString(), QStringLiteral("Who would you invite? «ü»"));
    QCOMPARE(read.subj.List().GetSelected(0).appe.ToString(false), QStringLiteral("Anna Rossi"));
    QVERIFY(!read.answ.subjSort.IsSurnameName());

    // The counts of the read test see its own questions.
    QCOMPARE(read.desi.GetSubjRejTot(1, true, false, false), 1);
    QCOMPARE(read.desi.GetOutAccSbj(1, true, false, false, false), 2);
}

void TestDTestRoundTrip::countOutOfRange_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("questionsOnly");
    QTest::newRow("no questions") << 0 << 0 << false;
    QTest::newRow("eleven questions") << 0 << 11 << false;
    QTest::newRow("negative questions") << 0 << -1 << false;
    QTest::newRow("huge questions") << 0 << 0x7FFFFFFF << false;
    QTest::newRow("no answers") << 1 << 0 << false;
    QTest::newRow("eleven answers") << 1 << 11 << false;
    QTest::newRow("import of eleven questions") << 0 << 11 << true;
}

void TestDTestRoundTrip::countOutOfRange()
{
    QFETCH(int, slot);
    QFETCH(int, count);
    QFETCH(bool, questionsOnly);
    const QString good = dir.filePath("good.KalCir");
    const QString bad = dir.filePath("bad.KalCir");
    {
        DTest source;
        source.file.Write(good);
    }
    QByteArray file = TestSupport::ReadFile(good);
    Patch(file, Slot(file, slot), TestSupport::Int32(count));
    TestSupport::WriteFile(bad, file);

    DTest test;
    MakeMixed(test);
    test.file.Write(good);
    test.desi.SetDesi(3, 2, 5, 4); // an unsaved change
    const QByteArray before = Sections(test);

    const QString error = ErrorOf(
        [&]
        {
            if (questionsOnly)
                test.file.ReadOnlyQuestions(bad);
            else
                test.file.Read(bad);
        });
    QCOMPARE(error, DLanguage::Active().GetErr(60020, {bad}));
    QCOMPARE(Sections(test), before);
    QCOMPARE(test.file.FileName(), good);
    QVERIFY(test.IsChangedByUser());
}

void TestDTestRoundTrip::importQuestionsReshapes()
{
    const QString other = dir.filePath("two-questions.KalCir");
    {
        DTest source;
        source.ques.List().SetSize(2, true);
        source.ques.List().GetSelected(1).type.Invert();
        source.ques.List().GetSelected(1).text.UserUpdate(QStringLiteral("Imported"));
        source.file.Write(other);
    }

    DTest test;
    MakeMixed(test);
    test.file.Write(dir.filePath("own.KalCir"));
    QVERIFY(!test.IsChangedByUser());
    test.file.ReadOnlyQuestions(other);
    QVERIFY(test.IsChangedByUser()); // closing must ask before losing the import
    QCOMPARE(test.ques.List().GetSize(), 2);
    QCOMPARE(test.ques.List().GetSelected(1).text.ToString(), QStringLiteral("Imported"));
    QCOMPARE(test.desi.QuesCount(), 2);
    QCOMPARE(test.desi.GetDesi(1, 1, 1), 5);
    QCOMPARE(test.desi.GetDesi(2, 2, 3), 1);
    QCOMPARE(test.answ.num.GetValue(), 4);
    QCOMPARE(test.subj.Count(), 6);
    QCOMPARE(test.file.FileName(), dir.filePath("own.KalCir"));
    // The counts follow the imported polarity: question 2 is negative there.
    QCOMPARE(test.desi.GetSubjRejTot(1, true, false, false), 1);

    QCOMPARE(ErrorOf([&] { test.file.ReadOnlyQuestions(dir.filePath("none.KalCir")); }),
             QStringLiteral("Cannot open \"%1\": No such file or directory").arg(dir.filePath("none.KalCir")));
}

void TestDTestRoundTrip::importSubjectsClearsDanglingChoices()
{
    const QString other = dir.filePath("eight-subjects.KalCir");
    {
        DTest source;
        source.subj.List().SetSize(8, true);
        source.file.Write(other);
    }

    DTest test;
    test.desi.SetDesi(1, 1, 1, 9);
    test.desi.SetDesi(1, 2, 1, 3);
    test.desi.SetDesi(2, 1, 8, 10);
    test.answ.num.SetValue(2, true);
    test.file.Write(dir.filePath("own-subjects.KalCir"));
    test.file.ReadOnlySubjects(other);
    QVERIFY(test.IsChangedByUser());
    QCOMPARE(test.subj.Count(), 8);
    QCOMPARE(test.desi.SubjCount(), 8);
    QCOMPARE(test.desi.GetDesi(1, 1, 1), 0);
    QCOMPARE(test.desi.GetDesi(1, 2, 1), 3);
    QCOMPARE(test.desi.GetDesi(2, 1, 8), 0);
    QCOMPARE(test.answ.num.GetValue(), 2);
    QCOMPARE(test.ques.List().GetSize(), 5);
}

void TestDTestRoundTrip::newAfterChanges()
{
    DTest test;
    MakeMixed(test);
    test.file.Write(dir.filePath("before-new.KalCir"));
    test.desi.SetDesi(1, 2, 2, 3);
    test.New();

    DTest fresh;
    QCOMPARE(Sections(test), Sections(fresh));
    QCOMPARE(test.file.FileName(), QString());
    QCOMPARE(test.desi.QuesCount(), 5);
    QCOMPARE(test.desi.AnswCount(), 3);
    QCOMPARE(test.desi.SubjCount(), 10);
    QVERIFY(test.answ.subjSort.IsSurnameName());
    for (qint32 s = 1; s <= 10; ++s)
        QCOMPARE(test.desi.GetSubjSummary(s), QStringLiteral("0 of 15"));
}

void TestDTestRoundTrip::storedOptionRecords()
{
    // The third categorisation is a record of the tagged section on top of
    // the value 1 earlier readers know; with the default options the file
    // has no tagged section at all.
    const QString path = dir.filePath("scheme.KalCir");
    DTest test;
    test.graph.tar.stat.SetValue(DGraphTarStat::Probability, false);
    test.file.Write(path);
    const QByteArray file = TestSupport::ReadFile(path);
    QVERIFY(Slot(file, 5) > 0);
    QCOMPARE(file.mid(Slot(file, 5), 4), TestSupport::Int32(1));
    QCOMPARE(file.mid(Slot(file, 5) + 4, 4), QByteArray("TCAT"));

    DTest read;
    read.file.Read(path);
    QVERIFY(read.graph.tar.stat.IsProbability());

    read.graph.tar.stat.SetValue(DGraphTarStat::Preference, false);
    read.file.Write(path);
    QCOMPARE(Slot(TestSupport::ReadFile(path), 5), 0);
    DTest again;
    again.file.Read(path);
    QVERIFY(again.graph.tar.stat.IsPreference());
}

void TestDTestRoundTrip::rankWeightRecord()
{
    const QString path = dir.filePath("weights.KalCir");
    DTest test;
    MakeMixed(test);
    test.file.Write(path);
    const QByteArray plain = TestSupport::ReadFile(path);
    QCOMPARE(Slot(plain, 5), 0);

    // Switched on, the file is the plain one with the record appended as
    // the tagged section: sections 0-4 stay what earlier readers know.
    test.graph.weight.Choose(DGraphWeight::Rank);
    QVERIFY(test.IsChangedByUser());
    test.file.Write(path);
    QVERIFY(!test.IsChangedByUser());
    const QByteArray weighted = TestSupport::ReadFile(path);
    QCOMPARE(Slot(weighted, 5), plain.size());
    QCOMPARE(weighted.mid(plain.size()), TestSupport::Int32(1) + "WRNK" + TestSupport::Int32(1) + "\x01");
    QByteArray table = weighted.left(plain.size());
    Patch(table, 46 + 8 * 5, QByteArray(8, '\0'));
    QCOMPARE(table, plain);

    DTest read;
    read.file.Read(path);
    QVERIFY(read.graph.weight.IsRank());
    QVERIFY(!read.IsChangedByUser());

    // Data this build cannot use reads as plain counts.
    QByteArray other = weighted;
    other[other.size() - 1] = '\x02';
    TestSupport::WriteFile(path, other);
    read.file.Read(path);
    QVERIFY(!read.graph.weight.IsRank());

    // Off again, the file is byte for byte the plain one.
    test.graph.weight.Choose(DGraphWeight::Plain);
    test.file.Write(path);
    QCOMPARE(TestSupport::ReadFile(path), plain);
}

// Texts written with line breaks by another program read and write back
// byte for byte, and a name's break reaches the CSV in a quoted cell.
void TestDTestRoundTrip::storedLineBreaksRoundTrip()
{
    const QStringList texts{QStringLiteral("Line one\r\nLine two"), QStringLiteral("Classe 3B\r\n"),
                            QStringLiteral("Rossi\nBianchi"), QStringLiteral("Anna\rMaria"),
                            QStringLiteral("first\tline\r\nsecond line")};
    DTest source;
    MakeMixed(source);
    DSubjElem& subject = source.subj.List().GetSelected(0);
    DElemString* const elements[] = {&source.ques.List().GetSelected(0).text, &source.subj.Description(),
                                     &subject.appe.Surname(), &subject.appe.Name(), &subject.note};
    // Placeholders of the same lengths leave every section where it is.
    for (qsizetype i = 0; i < texts.size(); ++i)
        elements[i]->SetText(QString(texts[i].size(), QChar(char16_t(u'V' + i))));
    QByteArray bytes = source.file.ToBytes();
    for (qsizetype i = 0; i < texts.size(); ++i)
    {
        const QByteArray placeholder = TestSupport::Utf16(QString(texts[i].size(), QChar(char16_t(u'V' + i))));
        QCOMPARE(bytes.count(placeholder), 1);
        bytes.replace(placeholder, TestSupport::Utf16(texts[i]));
    }
    const QString path = dir.filePath("breaks.KalCir");
    TestSupport::WriteFile(path, bytes);

    DTest read;
    read.file.Read(path);
    QCOMPARE(read.ques.List().GetSelected(0).text.ToString(), texts[0]);
    QCOMPARE(read.subj.List().GetSelected(0).note.ToString(), texts[4]);
    QVERIFY(!read.IsChangedByUser());
    QCOMPARE(read.file.ToBytes(), bytes);

    QStringList lines;
    read.graph.met.ToMemoCsv(lines);
    QVERIFY2(lines.join(QLatin1Char('|')).contains(QStringLiteral(",\"Rossi\nBianchi\",\"Anna\rMaria\",")),
             qPrintable(lines.join(QLatin1Char('|'))));
}

KC_TEST_MAIN(TestDTestRoundTrip)
#include "test_DTestRoundTrip.moc"
