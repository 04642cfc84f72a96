#include "analyses/DGraph.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <functional>

namespace
{
using TestSupport::ErrorOf;

QString Failure(const char* module)
{
    return DLanguage::Active().GetMsg(50020, {module});
}

// A test with ten answers per question and its analyses beside it.
struct Fixture
{
    DTest test;
    DGraph& graph = test.graph;

    Fixture() { test.answ.num.SetValue(10, false); }

    // Fills the subject list the way the sociogram does before asking for
    // the connections.
    void ListSubjects()
    {
        graph.Subjects().clear();
        for (DSubjElem& subject : test.subj.List().Get())
            graph.Subjects().emplace_back(graph, subject);
    }

    // "chooser>chosen:forward,backward,m|-" for every connection, in order.
    QString Connections() const
    {
        QStringList out;
        for (const DGraphListConn& c : graph.Connections())
            out << QStringLiteral("%1>%2:%3,%4,%5")
                       .arg(c.Chooser()->id.GetValue())
                       .arg(c.Chosen()->id.GetValue())
                       .arg(c.Choi().forward.GetValue())
                       .arg(c.Choi().backward.GetValue())
                       .arg(c.Choi().mutual ? "m" : "-");
        return out.join(QLatin1Char(';'));
    }
};

// A stream over memory holding an empty header and section table.
struct MemoryFile
{
    QBuffer buffer;
    DFileStream stream{&buffer, QStringLiteral("memory.KalCir")};
    MemoryFile()
    {
        buffer.open(QIODevice::ReadWrite);
        buffer.write(QByteArray(126, '\0'));
    }
};

struct Choice
{
    int question; // 1-based
    int rank;     // 0-based answer position
    int chooser;
    int chosen;
};
} // namespace

Q_DECLARE_METATYPE(QList<Choice>)

class TestDGraph : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mergesChoices_data();
    void mergesChoices();
    void connectionsFollowPolarityAndSelection();
    void missingSubjectLeavesListUnchanged();
    void setPen_data();
    void setPen();
    void sortWithoutRuleFails();
    void sectionRoundTrip();
    void versionOneSectionKeepsMetricOrder();
    void damagedPictureSizeIsRefused();
    void ordersOutsideTheirListsReadAsDefault_data();
    void ordersOutsideTheirListsReadAsDefault();
    void changesAndTakeData();
};

void TestDGraph::mergesChoices_data()
{
    QTest::addColumn<QList<Choice>>("choices");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mutual, first and third") << QList<Choice>{{1, 0, 1, 2}, {1, 2, 2, 1}} << "1>2:1,3,m";
    QTest::newRow("better rank in the next question") << QList<Choice>{{1, 1, 3, 4}, {2, 0, 3, 4}} << "3>4:1,0,-";
    QTest::newRow("third, then second") << QList<Choice>{{1, 2, 3, 4}, {2, 1, 3, 4}} << "3>4:2,0,-";
    QTest::newRow("a rank never worsens") << QList<Choice>{{1, 0, 3, 4}, {2, 2, 3, 4}} << "3>4:1,0,-";
    QTest::newRow("tenth answer counts as third") << QList<Choice>{{1, 9, 5, 6}} << "5>6:3,0,-";
    // The scan runs rank before subject: subject 2's first answer comes
    // before subject 1's second, so 2 is the chooser.
    QTest::newRow("chooser is the first in scan order") << QList<Choice>{{1, 1, 1, 2}, {1, 0, 2, 1}} << "2>1:1,2,m";
    QTest::newRow("pairs keep their order")
        << QList<Choice>{{1, 0, 1, 2}, {1, 0, 3, 1}, {2, 0, 2, 1}, {2, 1, 1, 3}} << "1>2:1,1,m;3>1:1,2,m";
}

void TestDGraph::mergesChoices()
{
    QFETCH(QList<Choice>, choices);
    QFETCH(QString, expected);
    Fixture f;
    for (const Choice& c : choices)
        f.test.desi.SetDesi(c.question, c.rank + 1, c.chooser, c.chosen);
    f.ListSubjects();
    f.graph.GetConnections(true);
    QCOMPARE(f.Connections(), expected);

    // Direct calls in the same order give the same list as the rebuild.
    Fixture direct;
    direct.ListSubjects();
    QList<Choice> ordered = choices;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Choice& a, const Choice& b)
                     { return std::tie(a.question, a.rank, a.chooser) < std::tie(b.question, b.rank, b.chooser); });
    for (const Choice& c : ordered)
        direct.graph.SetConnection(c.chooser, c.chosen, c.rank);
    QCOMPARE(direct.Connections(), expected);
}

void TestDGraph::connectionsFollowPolarityAndSelection()
{
    Fixture f;
    DQuesList& questions = f.test.ques.List();
    questions.GetSelected(1).type.SetValue(0, true); // question 2 negative
    questions.GetSelected(2).graphSoc.ToGraph(false);
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.test.desi.SetDesi(2, 1, 3, 4);
    f.test.desi.SetDesi(3, 1, 5, 6); // positive, not selected for the sociogram
    f.ListSubjects();

    f.graph.GetConnections(true);
    QCOMPARE(f.Connections(), QStringLiteral("1>2:1,0,-"));
    f.graph.GetConnections(true); // rebuilt, not doubled
    QCOMPARE(f.Connections(), QStringLiteral("1>2:1,0,-"));
    f.graph.GetConnections(false);
    QCOMPARE(f.Connections(), QStringLiteral("3>4:1,0,-"));

    questions.GetSelected(0).graphSoc.ToGraph(false);
    f.graph.GetConnections(true);
    QCOMPARE(f.Connections(), QString());
}

void TestDGraph::missingSubjectLeavesListUnchanged()
{
    Fixture f;
    f.ListSubjects();
    f.graph.SetConnection(1, 2, 0);
    const QString before = f.Connections();
    for (auto [chooser, chosen] : {std::pair{1, 11}, std::pair{11, 1}, std::pair{3, 3}})
    {
        QCOMPARE(ErrorOf([&] { f.graph.SetConnection(chooser, chosen, 0); }), Failure("DGraph::SetConnection()"));
        QCOMPARE(f.Connections(), before);
    }

    // A choice naming a subject beyond the list fails the rebuild the same way.
    f.graph.Subjects().pop_back();
    f.test.desi.SetDesi(1, 1, 3, 10);
    QCOMPARE(ErrorOf([&] { f.graph.GetConnections(true); }), Failure("DGraph::SetConnection()"));
}

void TestDGraph::setPen_data()
{
    QTest::addColumn<int>("rank");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("whiteBrush");

    QTest::newRow("none leaves the surface") << -1 << 7 << int(Qt::DashDotLine) << false;
    QTest::newRow("first") << 0 << 2 << int(Qt::SolidLine) << true;
    QTest::newRow("second") << 1 << 1 << int(Qt::SolidLine) << true;
    QTest::newRow("third") << 2 << 1 << int(Qt::DotLine) << true;
    QTest::newRow("fifth") << 4 << 1 << int(Qt::DotLine) << true;
}

void TestDGraph::setPen()
{
    QFETCH(int, rank);
    QFETCH(int, width);
    QFETCH(int, style);
    QFETCH(bool, whiteBrush);

    QImage image(4, 4, QImage::Format_RGB32);
    QPainter surface(&image);
    surface.setPen(QPen(QBrush(Qt::blue), 7, Qt::DashDotLine));
    surface.setBrush(Qt::black);
    DGraphListConnChoiType code;
    if (rank >= 0)
        code.SetFromAnswer(rank);
    code.SetPen(surface);
    QCOMPARE(surface.pen().width(), width);
    QCOMPARE(int(surface.pen().style()), style);
    QCOMPARE(surface.pen().color(), QColor(Qt::blue)); // the colour is the sociogram's
    QCOMPARE(surface.brush().color(), whiteBrush ? QColor(255, 255, 255) : QColor(Qt::black));
}

void TestDGraph::sortWithoutRuleFails()
{
    Fixture f;
    DGraphListSubj a(f.graph, f.test.subj.List().Get()[0]);
    DGraphListSubj b(f.graph, f.test.subj.List().Get()[1]);
    QCOMPARE(ErrorOf([&] { (void)(a < b); }), Failure("DGraphListSubj::operator<()"));
    a.SortGraphBar();
    QVERIFY(a.IsSortGraphBar() && !a.IsSortGraphMet());
    QCOMPARE(ErrorOf([&] { (void)(a < b); }), QString());
    a.SortGraphMet();
    QVERIFY(!a.IsSortGraphBar() && a.IsSortGraphMet());
    QCOMPARE(ErrorOf([&] { (void)(a < b); }), QString());
}

void TestDGraph::sectionRoundTrip()
{
    Fixture f;
    DGraph& g = f.graph;
    g.bar.type.SetValue(1, true);
    g.bar.order.SetValue(2, true);
    g.bar.scale.SetValue(1, true);
    g.tar.stat.SetValue(1, true);
    g.tar.subjDim.SetValue(1, true);
    g.soc.type.SetValue(1, true);
    g.soc.subjDim.SetValue(1, true);
    g.soc.size.Set(1234, 567, true);
    g.soc.elas.SetValue(1, true);
    g.met.order.SetValue(3, true);
    QVERIFY(g.IsChangedByUser());

    MemoryFile file;
    g.ToFile(file.stream);
    QVERIFY(!g.IsChangedByUser());
    const QByteArray bytes = file.buffer.data();
    QCOMPARE(bytes.size(), 126 + 17);
    QCOMPARE(bytes.mid(78, 8), TestSupport::Int64(126));
    QCOMPARE(bytes.mid(126), QByteArray::fromHex("01020101010101") + TestSupport::Int32(1234) +
                                 TestSupport::Int32(567) + QByteArray::fromHex("0103"));

    Fixture r;
    r.graph.FromFile(file.stream, 2);
    const DGraph& h = r.graph;
    QCOMPARE(QList<int>({h.bar.type.GetValue(), h.bar.order.GetValue(), h.bar.scale.GetValue(), h.tar.stat.GetValue(),
                         h.tar.subjDim.GetValue(), h.soc.type.GetValue(), h.soc.subjDim.GetValue(), h.soc.size.Width(),
                         h.soc.size.Height(), h.soc.elas.GetValue(), h.met.order.GetValue()}),
             QList<int>({1, 2, 1, 1, 1, 1, 1, 1234, 567, 1, 3}));
    QVERIFY(!h.IsChangedByUser()); // reading is not a change by the user
}

void TestDGraph::versionOneSectionKeepsMetricOrder()
{
    MemoryFile file;
    file.buffer.seek(78);
    file.buffer.write(TestSupport::Int64(126));
    file.buffer.seek(126);
    file.buffer.write(QByteArray::fromHex("00010000000000") + TestSupport::Int32(900) + TestSupport::Int32(700) +
                      QByteArray::fromHex("00"));
    file.buffer.write(QByteArray::fromHex("02")); // not part of a version 1 section

    Fixture f;
    f.graph.met.order.SetValue(1, false);
    f.graph.FromFile(file.stream, 1);
    QCOMPARE(f.graph.bar.order.GetValue(), 1);
    QCOMPARE(f.graph.soc.size.Width(), 900);
    QCOMPARE(f.graph.soc.size.Height(), 700);
    QCOMPARE(f.graph.met.order.GetValue(), 1);
    QCOMPARE(file.stream.Pos(), qint64(126 + 16));

    // A section cut short is reported by the element that could not be read.
    QBuffer shortBuffer;
    shortBuffer.setData(file.buffer.data().left(126 + 7));
    shortBuffer.open(QIODevice::ReadOnly);
    DFileStream shortStream(&shortBuffer, QStringLiteral("short.KalCir"));
    QCOMPARE(ErrorOf([&] { f.graph.FromFile(shortStream, 1); }),
             DLanguage::Active().GetMsg(60010, {"DElemInt32::FromFile()"}));
}

void TestDGraph::damagedPictureSizeIsRefused()
{
    // Any size the program stores lies within 400..4000; anything else would
    // make the sociogram's picture unusable or huge.
    for (qint32 width : {0, -5, 399, 4001, 2000000000})
    {
        MemoryFile file;
        file.buffer.seek(78);
        file.buffer.write(TestSupport::Int64(126));
        file.buffer.seek(126);
        file.buffer.write(QByteArray(7, '\0') + TestSupport::Int32(width) + TestSupport::Int32(600) +
                          QByteArray(2, '\0'));
        Fixture f;
        QCOMPARE(ErrorOf([&] { f.graph.FromFile(file.stream, 2); }),
                 DLanguage::Active().GetMsg(60020, {"memory.KalCir"}));
        QCOMPARE(f.graph.soc.size.Width(), 800);
    }
}

void TestDGraph::ordersOutsideTheirListsReadAsDefault_data()
{
    QTest::addColumn<int>("barOrder");
    QTest::addColumn<int>("metOrder");
    QTest::addColumn<int>("barRead");
    QTest::addColumn<int>("metRead");
    QTest::newRow("just past the lists") << 3 << 5 << 0 << 0;
    QTest::newRow("negative") << -1 << -128 << 0 << 0;
    QTest::newRow("far past") << 127 << 100 << 0 << 0;
    QTest::newRow("in the lists") << 2 << 4 << 2 << 4;
}

void TestDGraph::ordersOutsideTheirListsReadAsDefault()
{
    QFETCH(int, barOrder);
    QFETCH(int, metOrder);
    QFETCH(int, barRead);
    QFETCH(int, metRead);
    Fixture source;
    source.test.desi.SetDesi(1, 1, 1, 2);
    source.test.desi.SetDesi(1, 2, 3, 2);
    QByteArray bytes = source.test.file.ToBytes();
    const qint64 section = qFromLittleEndian<qint64>(bytes.constData() + 78);
    bytes[section + 1] = char(barOrder);
    bytes[section + 16] = char(metOrder);
    bytes[section] = char(9); // the bar graph's type keeps its own rule

    Fixture f;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    f.test.file.Read(buffer, QStringLiteral("orders.KalCir"));
    QCOMPARE(f.graph.bar.order.GetValue(), barRead);
    QCOMPARE(f.graph.met.order.GetValue(), metRead);
    QCOMPARE(f.graph.bar.type.GetValue(), 9);
    QVERIFY(!f.test.IsChangedByUser());

    f.graph.bar.type.SetValue(0, false);
    QImage picture = DPicture::Make(1000, 1000);
    QCOMPARE(ErrorOf([&] { f.graph.bar.Draw(picture); }), QString());
    QCOMPARE(ErrorOf([&] { f.graph.met.Draw(picture); }), QString());
}

void TestDGraph::changesAndTakeData()
{
    Fixture f;
    QVERIFY(!f.graph.IsChangedByUser());
    f.graph.soc.size.Set(1000, 700, true);
    QVERIFY(f.graph.IsChangedByUser());
    f.graph.soc.elas.SetValue(1, true);
    // The moving mode alone is stored with the test, so it is a change too.
    Fixture g;
    g.graph.soc.elas.SetValue(1, true);
    QVERIFY(g.graph.IsChangedByUser());

    Fixture other;
    other.graph.TakeData(f.graph);
    QCOMPARE(other.graph.soc.size.Width(), 1000);
    QCOMPARE(other.graph.soc.elas.GetValue(), 1);
    QVERIFY(other.graph.IsChangedByUser()); // the change state travels with the value
    QCOMPARE(&other.graph.Desi(), &other.test.desi);
}

KC_TEST_MAIN(TestDGraph)
#include "test_DGraph.moc"
