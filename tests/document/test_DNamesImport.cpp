#include "document/DGroupRecord.h"
#include "document/DNamesImport.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjMatch.h"
#include "tests/TestSupport.h"

#include <QSet>

namespace
{
using Origin = std::vector<qint32>;

// Five pupils, two questions of two ranks. Verdi and Bianchi are male,
// Bianchi has a note, a pin, a place in the sociogram and both kinds of
// working-group pairs.
void MakeClass(DTest& test)
{
    test.ques.List().SetSize(2, true);
    test.answ.num.SetValue(2, true);
    DSubjList& list = test.subj.List();
    list.SetSize(5, true);
    const char* names[][2] = {
        {"Rossi", "Anna"}, {"Verdi", "Ugo"}, {"Bianchi", "Luca"}, {"Neri", "Ada"}, {"Gallo", "Pia"}};
    for (int k = 0; k < 5; ++k)
    {
        list.GetSelected(k).appe.Surname().UserUpdate(QString::fromUtf8(names[k][0]));
        list.GetSelected(k).appe.Name().UserUpdate(QString::fromUtf8(names[k][1]));
    }
    list.GetSelected(1).sex.Invert();
    list.GetSelected(2).sex.Invert();
    list.GetSelected(2).note.UserUpdate(QStringLiteral("glasses"));
    list.GetSelected(2).soci.rejection.Set(true, 70, 80);
    // question, rank, chooser, chosen
    const int choices[][4] = {{1, 1, 1, 2}, {1, 1, 2, 3}, {1, 1, 3, 1}, {1, 1, 4, 3}, {1, 2, 5, 4}, {2, 1, 3, 5}};
    for (const auto& c : choices)
        test.desi.SetDesi(c[0], c[1], c[2], c[3]);
    DGraphSocPins pins;
    pins.Set(false, 3, true);
    test.SetPins(pins, true);
    DGroupSettings groups;
    groups.together = {{2, 3}};
    groups.apart = {{3, 5}, {1, 4}};
    DGroupRecord::Store(test, groups, true);
}

// Who a subject is, however the lines spell or order the names.
QString Surname(const DTest& test, qint32 number)
{
    QStringList words =
        DSubjMatch::Key(test.subj.List().GetSelected(number - 1).appe.ToString(true)).split(u' ', Qt::SkipEmptyParts);
    words.sort();
    return words.join(u'_');
}

// Everything that names a subject by number, written with surnames instead:
// what must not change when only the numbers do.
QSet<QString> ByName(const DTest& test)
{
    QSet<QString> facts;
    const qint32 n = test.subj.Count();
    for (qint32 q = 1; q <= test.desi.QuesCount(); ++q)
        for (qint32 r = 1; r <= test.desi.AnswCount(); ++r)
            for (qint32 s = 1; s <= n; ++s)
                if (const qint32 v = test.desi.GetDesi(q, r, s); DDesi::IsChoice(v))
                    facts
                        << QStringLiteral("Q%1 R%2 %3 chose %4").arg(q).arg(r).arg(Surname(test, s), Surname(test, v));
    const DGraphSocPins pins = test.Pins();
    for (qint32 s = 1; s <= n; ++s)
    {
        const DSubjElem& subject = test.subj.List().GetSelected(s - 1);
        for (const bool acceptance : {true, false})
            if (pins.Is(acceptance, s))
                facts << QStringLiteral("pinned %1 %2").arg(acceptance).arg(Surname(test, s));
        facts << QStringLiteral("%1 %2 %3")
                     .arg(Surname(test, s), subject.sex.IsFemale() ? "F" : "M", subject.note.ToString());
        facts << QStringLiteral("place %1 %2,%3")
                     .arg(Surname(test, s))
                     .arg(subject.soci.rejection.X())
                     .arg(subject.soci.rejection.Y());
    }
    const DGroupSettings groups = DGroupRecord::Load(test);
    for (const auto& [a, b] : groups.together)
        facts << QStringLiteral("together %1 %2").arg(Surname(test, a), Surname(test, b));
    for (const auto& [a, b] : groups.apart)
        facts << QStringLiteral("apart %1 %2").arg(Surname(test, a), Surname(test, b));
    return facts;
}
} // namespace

class TestDNamesImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namesKeepTheirSubjects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Origin>("origin");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<QString>("question");
        const QString head = QStringLiteral(
            "Importing names (lines: %1) into the list of 5 subjects; each name finds its subject by surname and "
            "name:\n"
            "- names that find their subject (%2): each subject keeps its answers given and received, its places and "
            "pins in the sociogram and its working-group pairs\n");
        const QString end = QStringLiteral("\n\nDo you want to go on?");
        QTest::newRow("a newcomer as line 3")
            << "Rossi, Anna\nVerdi, Ugo\nNuovo, Nino\nBianchi, Luca\nNeri, Ada\nGallo, Pia\n"
            << Origin{0, 1, -1, 2, 3, 4} << QStringList{}
            << head.arg(6).arg(5) +
                   "- subjects that take a new number (3), with all their data; the answers naming them follow: "
                   "3\u20135 \u2192 4\u20136\n"
                   "- new subjects (1): 3 Nuovo Nino\n"
                   "- sex: no line writes one, so every subject keeps its own (a new subject: female)\n"
                   "- note: no line writes one, so every subject keeps its own" +
                   end;
        // Capitals, accents and the order of the names aside; sex and note
        // taken only where written.
        QTest::newRow("reordered, respelled, one gone, sex and note written")
            << "Gallo\tPia\tM\nROSSI\tAnna\t\tleft-handed\nNèri, Ada\nUgo, Verdi\n"
            << Origin{4, 0, 3, 1} << QStringList{"bianchi"}
            << head.arg(4).arg(4) +
                   "- subjects that take a new number (4), with all their data; the answers naming them follow: "
                   "5 \u2192 1, 1 \u2192 2, 4 \u2192 3, 2 \u2192 4\n"
                   "- names written as the lines spell them (3): Rossi Anna \u2192 ROSSI Anna, Neri Ada \u2192 "
                   "Nèri Ada, Verdi Ugo \u2192 Ugo Verdi\n"
                   "- sex: taken from the lines that write one (1); where a line writes none, the subject keeps its "
                   "own "
                   "(a new subject: female)\n"
                   "- the sex changes for subjects already in the list (1): Gallo Pia\n"
                   "- note: taken from the lines that write one (1); where a line writes none, the subject keeps its "
                   "own\n"
                   "- subjects whose names are in no line (1) are removed with all their data; the answers given by "
                   "them or naming them are lost (4), and the choices naming them become empty:\n"
                   "Subject 3: Bianchi Luca, answers given: 2, received: 2\n"
                   "- working-group pairs naming removed subjects (2) are dropped" +
                   end;
        QTest::newRow("a note over a note")
            << "Rossi, Anna\nVerdi, Ugo\nBianchi\tLuca\tM\tcontacts\nNeri, Ada\nGallo, Pia" << Origin{0, 1, 2, 3, 4}
            << QStringList{}
            << head.arg(5).arg(5) +
                   "- sex: taken from the lines that write one (1); where a line writes none, the subject keeps its "
                   "own "
                   "(a new subject: female)\n"
                   "- note: taken from the lines that write one (1); where a line writes none, the subject keeps its "
                   "own\n"
                   "- the note is replaced for subjects already in the list (1): Bianchi Luca" +
                   end;
        // A name written twice finds its subject once.
        QTest::newRow("the same names in place, more after: nothing to ask")
            << "Rossi, Anna\nVerdi, Ugo\nBianchi, Luca\nNeri, Ada\nGallo, Pia\nRossi, Anna\nSala, Eva"
            << Origin{0, 1, 2, 3, 4, -1, -1} << QStringList{} << QString();
    }
    void namesKeepTheirSubjects()
    {
        QFETCH(QString, text);
        QFETCH(Origin, origin);
        QFETCH(QStringList, gone);
        QFETCH(QString, question);
        DTest test;
        MakeClass(test);
        const QByteArray before = test.file.ToBytes();
        const DNamesImport import(test, DSubjElemAppe::SurnameCommaName, DSubjList::MemoLines(text));
        QCOMPARE(import.origin, origin);
        QCOMPARE(import.Question(), question);
        QCOMPARE(test.file.ToBytes(), before);

        // What was entered for a pupil is theirs after the import, under
        // whatever number; only what names a removed pupil is gone.
        QSet<QString> expected;
        for (const QString& fact : ByName(test))
            if (std::none_of(gone.begin(), gone.end(), [&](const QString& g) { return fact.contains(g); }))
                expected << fact;
        import.Apply(test);
        QSet<QString> after = ByName(test);
        QCOMPARE(test.subj.Count(), qint32(origin.size()));
        for (qint32 s = 1; s <= test.subj.Count(); ++s)
        {
            QCOMPARE(test.subj.List().GetSelected(s - 1).id.GetValue(), s);
            // New subjects hold nothing yet but a default place.
            if (origin[std::size_t(s) - 1] < 0)
                expected << QStringLiteral("place %1 0,0").arg(Surname(test, s));
            // Sex and note are facts of the lines here, not of the subjects.
            after.removeIf([&](const QString& fact) { return fact.startsWith(Surname(test, s) + u' '); });
            expected.removeIf([&](const QString& fact) { return fact.startsWith(Surname(test, s) + u' '); });
        }
        QCOMPARE(after, expected);
        QVERIFY(test.IsChangedByUser());
    }

    // Sex and note go with the subjects, then the lines write theirs.
    void sexAndNoteFollowTheirSubjects()
    {
        DTest test;
        MakeClass(test);
        const DNamesImport import(test, DSubjElemAppe::SurnameCommaName,
                                  {"Nuovo, Nino", "Bianchi\tLuca", "Verdi\tUgo\tF", "Gallo\tPia\t\tshy",
                                   "Rossi\tAnna\tmaschio\t", "Neri, Ada"});
        import.Apply(test);
        const auto row = [&](int k)
        {
            const DSubjElem& s = test.subj.List().GetSelected(k);
            return QStringList{s.appe.Surname().ToString(), s.sex.IsFemale() ? "F" : "M", s.note.ToString(),
                               QString::number(s.soci.rejection.X())}
                .join(u'/');
        };
        QStringList rows;
        for (int k = 0; k < 6; ++k)
            rows << row(k);
        QCOMPARE(rows, (QStringList{"Nuovo/F//0", "Bianchi/M/glasses/70", "Verdi/F//0", "Gallo/F/shy/0", "Rossi/M//0",
                                    "Neri/F//0"}));
    }

    // Answers typed by number before the names were known stay with those
    // numbers: names that find no subject take the subjects without one.
    void unnamedSubjectsWaitForTheirNames()
    {
        DTest test;
        test.desi.SetDesi(1, 1, 1, 2);
        test.desi.SetDesi(1, 1, 2, 3);
        test.desi.SetDesi(1, 1, 3, 1);
        test.subj.List().GetSelected(3).note.UserUpdate(QStringLiteral("absent"));
        const DNamesImport import(test, DSubjElemAppe::SurnameOnly, {"Oak", "Elm", "Fir"});
        QCOMPARE(import.origin, (Origin{0, 1, 2}));
        // Subject 4 goes with its note; the six empty ones are not worth a word.
        QCOMPARE(import.Question(),
                 QStringLiteral("Importing names (lines: 3) into the list of 10 subjects; each name finds its "
                                "subject by surname and name:\n"
                                "- names given to subjects that had none (3), which keep the data entered for them: "
                                "1 \u2192 Oak, 2 \u2192 Elm, 3 \u2192 Fir\n"
                                "- sex: no line writes one, so every subject keeps its own (a new subject: female)\n"
                                "- note: no line writes one, so every subject keeps its own\n"
                                "- subjects whose names are in no line (1) are removed with all their data; the "
                                "answers given by them or naming them are lost (0), and the choices naming them "
                                "become empty:\n"
                                "Subject 4 (no name), answers given: 0, received: 0\n\n"
                                "Do you want to go on?"));
        import.Apply(test);
        QCOMPARE(test.subj.Count(), 3);
        QCOMPARE(test.desi.GetDesi(1, 1, 1), 2);
        QCOMPARE(test.desi.GetDesi(1, 1, 3), 1);
        QCOMPARE(test.subj.List().GetSelected(2).appe.Surname().ToString(), QStringLiteral("Fir"));
    }

    // Two pupils of one name keep their order; a name in the other order
    // finds the subject that wrote it so.
    void sameNamesPairInOrder()
    {
        DTest test;
        DSubjList& list = test.subj.List();
        list.SetSize(3, true);
        const char* names[][2] = {{"Rossi", "Anna"}, {"Anna", "Rossi"}, {"Rossi", "Anna"}};
        for (int k = 0; k < 3; ++k)
        {
            list.GetSelected(k).appe.Surname().UserUpdate(QString::fromUtf8(names[k][0]));
            list.GetSelected(k).appe.Name().UserUpdate(QString::fromUtf8(names[k][1]));
        }
        const DNamesImport import(test, DSubjElemAppe::SurnameCommaName, {"Anna, Rossi", "rossi, anna", "Rossi, Anna"});
        QCOMPARE(import.origin, (Origin{1, 0, 2}));
    }

    // Refusals change nothing and come before any question.
    void refusedLines()
    {
        DTest test;
        MakeClass(test);
        const QByteArray before = test.file.ToBytes();
        QCOMPARE(TestSupport::ErrorOf(
                     [&] {
                         DNamesImport(test, 0, {"Oak, Pine", "Elm Ash"});
                     }),
                 QStringLiteral("Line 2 (\"Elm Ash\"): Surname and name are not separated by a comma, as the chosen "
                                "format asks. Nothing was imported."));
        QCOMPARE(TestSupport::ErrorOf(
                     [&] {
                         DNamesImport(test, 0, {" ", ""});
                     }),
                 QStringLiteral("The number of subjects must be between \"1\" and \"100\"!"));
        QCOMPARE(test.file.ToBytes(), before);
        // A plan made on other subjects is not carried out on these.
        const DNamesImport import(test, 0, {"Oak, Pine"});
        test.subj.List().SetSize(7, true);
        QVERIFY(!TestSupport::ErrorOf([&] { import.Apply(test); }).isEmpty());
    }

    void italian()
    {
        DLanguage italian(DLanguage::Italian);
        DTest test;
        MakeClass(test);
        const DNamesImport import(test, 0, {"Rossi, Anna", "Nuovo, Nino", "Verdi\tUgo\tF"});
        QCOMPARE(
            import.Question(),
            QStringLiteral(
                "Importazione dei nomi (righe: 3) nell'elenco di 5 soggetti; ogni nome ritrova il suo soggetto "
                "per cognome e nome:\n"
                "- nomi che ritrovano il loro soggetto (2): ogni soggetto conserva le risposte date e ricevute, "
                "le posizioni e i fissaggi nel sociogramma e le coppie dei gruppi di lavoro\n"
                "- soggetti che cambiano numero (1), con tutti i loro dati; le risposte che li nominano li "
                "seguono: 2 \u2192 3\n"
                "- nuovi soggetti (1): 2 Nuovo Nino\n"
                "- sesso: preso dalle righe che lo indicano (1); dove una riga non lo indica, il soggetto conserva "
                "il proprio (un nuovo soggetto: femmina)\n"
                "- il sesso cambia per soggetti già presenti nell'elenco (1): Verdi Ugo\n"
                "- nota: nessuna riga la indica, quindi ogni soggetto conserva la propria\n"
                "- i soggetti il cui nome non è in nessuna riga (3) vengono eliminati con tutti i loro dati; le "
                "risposte date da loro o che li nominano vanno perse (5) e le scelte che li nominano restano "
                "vuote:\n"
                "Soggetto 3: Bianchi Luca, risposte date: 2, ricevute: 2\n"
                "Soggetto 4: Neri Ada, risposte date: 1, ricevute: 1\n"
                "Soggetto 5: Gallo Pia, risposte date: 1, ricevute: 1\n"
                "- le coppie dei gruppi di lavoro che nominano soggetti eliminati (3) vengono tolte\n\n"
                "Continuare?"));
    }
};

KC_TEST_MAIN(TestDNamesImport)
#include "test_DNamesImport.moc"
