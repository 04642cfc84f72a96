#include "analyses/DDrawBar.h"
#include "analyses/DGraph.h"
#include "analyses/DPicture.h"
#include "analyses/DSubjElemBar.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
using TestSupport::ErrorOf;

QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// A new test (5 positive questions, 3 answers, 10 subjects) with its analyses.
struct Fixture
{
    DTest test;
    DGraph& graph = test.graph;

    DSubjElem& Subject(qint32 id) { return test.subj.List().GetSelected(id - 1); }
    // Every order the graph currently shows, by identifier.
    QList<qint32> Order() const
    {
        QList<qint32> ids;
        for (const DGraphListSubj& entry : graph.Subjects())
            ids << entry.Subj().id.GetValue();
        return ids;
    }
};

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPink = qRgb(255, 192, 203);
const QRgb kTurquoise = qRgb(175, 238, 238);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);
} // namespace

class TestDGraphBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void extent_data();
    void extent();
    void barGeometry_data();
    void barGeometry();
    void boxAndMarginGeometry();
    void countsFollowTypeAndSelection();
    void rankWeights_data();
    void rankWeights();
    void order_data();
    void order();
    void unknownOrderFails();
    void paintsBoxesWithoutBars();
    void paintsBars();
    void selfChoiceLeavesWhitePicture();
    void options();
    void fileBlock();
};

void TestDGraphBar::extent_data()
{
    QTest::addColumn<int>("subjects");
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QSize>("extent");
    QTest::newRow("no choices") << 10 << 0 << 1 << QSize(380, 250);
    QTest::newRow("m 20 at 1:1") << 10 << 20 << 1 << QSize(380, 694);
    QTest::newRow("m 20 at 1:2") << 10 << 20 << 2 << QSize(380, 394);
    QTest::newRow("small height raised") << 10 << 20 << 16 << QSize(380, 250);
    QTest::newRow("one subject") << 1 << 6 << 1 << QSize(92, 274);
}

void TestDGraphBar::extent()
{
    QFETCH(int, subjects);
    QFETCH(int, largest);
    QFETCH(int, divisor);
    QFETCH(QSize, extent);
    QCOMPARE(DDrawBar::Extent(subjects, quint32(largest), divisor), extent);
}

void TestDGraphBar::barGeometry_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QRect>("accept");
    QTest::addColumn<QRect>("acceptLabel");
    QTest::addColumn<QRect>("reject");
    QTest::addColumn<QRect>("rejectLabel");
    // Cursor x = 32, middle line y = 347; text height 13.
    QTest::newRow("20 at 1:1") << 20 << 1 << Edges(32, 23, 62, 323) << Edges(32, 23, 62, 323) << Edges(32, 371, 62, 671)
                               << Edges(32, 371, 62, 671);
    QTest::newRow("20 at 1:16") << 20 << 16 << Edges(32, 305, 62, 323) << Edges(32, 305, 62, 323)
                                << Edges(32, 371, 62, 389) << Edges(32, 371, 62, 389);
    // A bar no higher than the text carries its label outside its free end.
    QTest::newRow("1 at 1:16, empty bar") << 1 << 16 << Edges(32, 323, 62, 323) << Edges(32, 308, 62, 321)
                                          << Edges(32, 371, 62, 371) << Edges(32, 373, 62, 386);
    QTest::newRow("13 px bar") << 13 << 15 << Edges(32, 310, 62, 323) << Edges(32, 295, 62, 308)
                               << Edges(32, 371, 62, 384) << Edges(32, 386, 62, 399);
    QTest::newRow("14 px bar") << 14 << 15 << Edges(32, 309, 62, 323) << Edges(32, 309, 62, 323)
                               << Edges(32, 371, 62, 385) << Edges(32, 371, 62, 385);
}

void TestDGraphBar::barGeometry()
{
    QFETCH(int, count);
    QFETCH(int, divisor);
    QFETCH(QRect, accept);
    QFETCH(QRect, acceptLabel);
    QFETCH(QRect, reject);
    QFETCH(QRect, rejectLabel);
    const QRect a = DSubjElemBar::AcceptBar(32, 347, quint32(count), divisor);
    const QRect r = DSubjElemBar::RejectBar(32, 347, quint32(count), divisor);
    QCOMPARE(a, accept);
    QCOMPARE(DSubjElemBar::AcceptLabel(a, 13), acceptLabel);
    QCOMPARE(r, reject);
    QCOMPARE(DSubjElemBar::RejectLabel(r, 13), rejectLabel);
}

void TestDGraphBar::boxAndMarginGeometry()
{
    QCOMPARE(DSubjElemBar::Box(64, 125), Edges(64, 103, 94, 147));
    const std::array<QRect, 3> lines = DSubjElemBar::BoxTexts(64, 125);
    QCOMPARE(lines[0], Edges(65, 104, 93, 116));
    QCOMPARE(lines[1], Edges(65, 118, 93, 130));
    QCOMPARE(lines[2], Edges(65, 132, 93, 146));

    // Height 250: the three bands of the margin and a 40-pixel text centred
    // in each, written upwards from its origin.
    const std::array<DDrawBar::MarginLabel, 3> labels = DDrawBar::MarginLabels(250);
    QCOMPARE(labels[0].id, 17020);
    QCOMPARE(DDrawBar::MarginTextOrigin(labels[0], 13, 40), QPoint(8, 145));
    QCOMPARE(labels[1].id, 17030);
    QCOMPARE(DDrawBar::MarginTextOrigin(labels[1], 13, 40), QPoint(8, 71));
    QCOMPARE(labels[2].id, 17040);
    QCOMPARE(DDrawBar::MarginTextOrigin(labels[2], 13, 40), QPoint(8, 220));
}

void TestDGraphBar::countsFollowTypeAndSelection()
{
    Fixture f;
    DQuesList& questions = f.test.ques.List();
    questions.GetSelected(3).type.SetValue(0, false);
    questions.GetSelected(4).type.SetValue(0, false);
    // Subject 2 chooses subject 5 in three positive questions; subject 3
    // chooses it once more. Subject 4 rejects it twice.
    f.test.desi.SetDesi(1, 1, 2, 5);
    f.test.desi.SetDesi(2, 2, 2, 5);
    f.test.desi.SetDesi(3, 3, 2, 5);
    f.test.desi.SetDesi(1, 2, 3, 5);
    f.test.desi.SetDesi(4, 1, 4, 5);
    f.test.desi.SetDesi(5, 1, 4, 5);

    f.graph.bar.Prepare(f.test.subj.List());
    QCOMPARE(f.Subject(5).acceptanceReceived.Get(), 4u);
    QCOMPARE(f.Subject(5).rejectionReceived.Get(), 2u);
    QCOMPARE(f.graph.Subjects().size(), std::size_t(10));
    QVERIFY(f.graph.Subjects().front().IsSortGraphBar());

    f.graph.bar.type.SetValue(1, true);
    f.graph.bar.Prepare(f.test.subj.List());
    QCOMPARE(f.Subject(5).acceptanceReceived.Get(), 2u);
    QCOMPARE(f.Subject(5).rejectionReceived.Get(), 1u);

    // A question left out of the bar graph is not counted.
    questions.GetSelected(0).graphBar.ToGraph(false);
    f.graph.bar.type.SetValue(0, true);
    f.graph.bar.Prepare(f.test.subj.List());
    QCOMPARE(f.Subject(5).acceptanceReceived.Get(), 2u);
}

void TestDGraphBar::rankWeights_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("weight");
    QTest::addColumn<quint32>("acceptances");
    QTest::addColumn<quint32>("rejections");
    QTest::addColumn<int>("height");
    // Three answers: ranks 1, 2, 3 score 3, 2, 1. Subject 5 is chosen by
    // subject 2 in rank 1, 2 and 3 of three questions and by subject 3 in
    // rank 2; rejected twice by subject 4, in rank 1 each time.
    //   every choice:    4 plain, 3 + 2 + 1 + 2 = 8 weighted; rejections 2 and 3 + 3 = 6
    //   subjects' choices (each chooser at its best rank): 2 plain, 3 + 2 = 5; 1 and 3
    // The picture's height follows the largest count: 94 + 30 x 8 = 334 past the least 250.
    QTest::newRow("every choice, plain") << 0 << 0 << 4u << 2u << 251;
    QTest::newRow("every choice, weighted") << 0 << 1 << 8u << 6u << 335;
    QTest::newRow("subjects' choices, plain") << 1 << 0 << 2u << 1u << 251;
    QTest::newRow("subjects' choices, weighted") << 1 << 1 << 5u << 3u << 251;
}

void TestDGraphBar::rankWeights()
{
    QFETCH(int, type);
    QFETCH(int, weight);
    QFETCH(quint32, acceptances);
    QFETCH(quint32, rejections);
    QFETCH(int, height);
    Fixture f;
    f.test.ques.List().GetSelected(3).type.SetValue(0, false);
    f.test.ques.List().GetSelected(4).type.SetValue(0, false);
    f.test.desi.SetDesi(1, 1, 2, 5);
    f.test.desi.SetDesi(2, 2, 2, 5);
    f.test.desi.SetDesi(3, 3, 2, 5);
    f.test.desi.SetDesi(1, 2, 3, 5);
    f.test.desi.SetDesi(4, 1, 4, 5);
    f.test.desi.SetDesi(5, 1, 4, 5);
    f.graph.bar.type.SetValue(type, true);
    f.graph.weight.SetValue(weight, true);
    f.graph.bar.order.SetValue(1, true);

    QImage picture;
    f.graph.bar.Draw(picture);
    QCOMPARE(f.Subject(5).acceptanceReceived.Get(), acceptances);
    QCOMPARE(f.Subject(5).rejectionReceived.Get(), rejections);
    QCOMPARE(picture.height(), height);
    QCOMPARE(f.Order().front(), 5);
    // The bar stands as high as its score: 15 pixels a choice at 1:1 from
    // 24 pixels above the middle line.
    const int top = (height - 1) / 2 - 24 - int(15 * acceptances);
    QVERIFY(picture.pixel(32 + 15, top) != kWhite);
    QCOMPARE(picture.pixel(32 + 15, top - 1), kWhite);
}

void TestDGraphBar::order_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<qint32>>("first");
    QTest::newRow("as in the list") << 0 << QList<qint32>{1, 2, 3, 4};
    QTest::newRow("acceptance") << 1 << QList<qint32>{7, 4};
    QTest::newRow("rejection") << 2 << QList<qint32>{2, 9};
}

void TestDGraphBar::order()
{
    QFETCH(int, order);
    QFETCH(QList<qint32>, first);
    Fixture f;
    // Enough subjects that an unstable sort would reorder the many ties.
    f.test.subj.List().SetSize(40, false);
    f.test.ques.List().GetSelected(4).type.SetValue(0, false);
    // Subject 7 is accepted three times, subject 4 twice; subject 2 is
    // rejected twice, subject 9 once.
    for (qint32 chooser : {1, 2, 3})
        f.test.desi.SetDesi(1, 1, chooser, 7);
    for (qint32 chooser : {5, 6})
        f.test.desi.SetDesi(2, 1, chooser, 4);
    for (qint32 chooser : {1, 3})
        f.test.desi.SetDesi(5, 1, chooser, 2);
    f.test.desi.SetDesi(5, 2, 1, 9);

    f.graph.bar.order.SetValue(order, true);
    f.graph.bar.Prepare(f.test.subj.List());
    // Every tie keeps list order behind the subjects that stand out.
    QList<qint32> expected = first;
    for (qint32 id = 1; id <= 40; ++id)
        if (!first.contains(id))
            expected << id;
    QCOMPARE(f.Order(), expected);
}

void TestDGraphBar::unknownOrderFails()
{
    Fixture f;
    f.graph.bar.order.SetValue(3, false);
    const QString expected = EError(50020, {"DGraphListSubj::operator<()"}).Message();
    QCOMPARE(ErrorOf([&] { f.graph.bar.Prepare(f.test.subj.List()); }), expected);
    QImage picture = DPicture::Make(1000, 1000);
    QCOMPARE(ErrorOf([&] { f.graph.bar.Draw(picture); }), expected);
    QCOMPARE(picture.size(), QSize(1000, 1000));
}

void TestDGraphBar::paintsBoxesWithoutBars()
{
    Fixture f;
    f.Subject(2).sex.SetValue(1, false);
    QImage picture = DPicture::Make(1000, 1000);
    f.graph.bar.Draw(picture);
    QCOMPARE(picture.size(), QSize(381, 251));

    // Frame corners and the axis, which stops one pixel short of its end.
    QCOMPARE(picture.pixel(0, 0), kBlack);
    QCOMPARE(picture.pixel(380, 250), kBlack);
    QCOMPARE(picture.pixel(30, 15), kBlack);
    QCOMPARE(picture.pixel(30, 234), kBlack);
    QCOMPARE(picture.pixel(30, 235), kWhite);

    // Boxes on the middle line y = 125, the first at x = 32, 32 pixels apart.
    for (int i = 0; i < 10; ++i)
    {
        const int x = 32 + 32 * i;
        QCOMPARE(picture.pixel(x, 103), kBlack);
        QCOMPARE(picture.pixel(x + 30, 147), kBlack);
        QCOMPARE(picture.pixel(x + 31, 125), kWhite);
        QCOMPARE(picture.pixel(x + 1, 125), i == 1 ? kTurquoise : kPink);
        // No bars.
        QCOMPARE(picture.pixel(x + 15, 100), kWhite);
        QCOMPARE(picture.pixel(x + 15, 150), kWhite);
    }
}

void TestDGraphBar::paintsBars()
{
    Fixture f;
    f.test.ques.List().GetSelected(4).type.SetValue(0, false);
    // Subject 1 gets 20 acceptances (four questions, five choosers), subject 3
    // one rejection.
    for (qint32 q = 1; q <= 4; ++q)
        for (qint32 chooser = 2; chooser <= 6; ++chooser)
            f.test.desi.SetDesi(q, 1, chooser, 1);
    f.test.desi.SetDesi(5, 1, 1, 3);

    QImage picture = DPicture::Make(1000, 1000);
    f.graph.bar.Draw(picture);
    QCOMPARE(picture.size(), QSize(381, 695));
    const int y = 347;
    // Subject 1's green bar from y - 324 to y - 24, filled inside its outline.
    QCOMPARE(picture.pixel(32, y - 324), kBlack);
    QCOMPARE(picture.pixel(62, y - 24), kBlack);
    QCOMPARE(picture.pixel(32, y - 325), kWhite);
    QCOMPARE(picture.pixel(33, y - 300), kGreen);
    QCOMPARE(picture.pixel(61, y - 25), kGreen);
    // Subject 3's red bar: 15 pixels below the box.
    QCOMPARE(picture.pixel(96, y + 24), kBlack);
    QCOMPARE(picture.pixel(96, y + 39), kBlack);
    QCOMPARE(picture.pixel(97, y + 25), kRed);
    QCOMPARE(picture.pixel(97, y + 40), kWhite);

    // At 1:16 the 20 acceptances make an 18-pixel bar and the picture keeps
    // its least height.
    f.graph.bar.scale.SetValue(4, true);
    f.graph.bar.Draw(picture);
    QCOMPARE(picture.size(), QSize(381, 251));
    QCOMPARE(picture.pixel(33, 125 - 25), kGreen);
    QCOMPARE(picture.pixel(33, 125 - 42), kBlack);
    QCOMPARE(picture.pixel(33, 125 - 43), kWhite);
}

void TestDGraphBar::selfChoiceLeavesWhitePicture()
{
    Fixture f;
    QImage picture = DPicture::Make(1000, 1000);
    f.graph.bar.Draw(picture);
    QVERIFY(picture.pixel(0, 0) == kBlack);

    f.test.desi.SetDesi(2, 1, 3, 3);
    picture = DPicture::Make(1000, 1000);
    QCOMPARE(ErrorOf([&] { f.graph.bar.Draw(picture); }), EError(50090, {3}).Message());
    QCOMPARE(picture.size(), QSize(1000, 1000));
    QCOMPARE(picture.pixel(0, 0), kWhite);
    QCOMPARE(picture.pixel(32, 103), kWhite);
}

void TestDGraphBar::options()
{
    Fixture f;
    DGraphBar& bar = f.graph.bar;
    QVERIFY(!bar.IsChangedByUser());
    QVERIFY(bar.type.IsViewAll());
    QVERIFY(bar.order.IsAsInList());
    QCOMPARE(bar.scale.GetDivisor(), 1);

    bar.scale.SetValue(2, false);
    QCOMPARE(bar.scale.Texts().size(), 5);
    QCOMPARE(bar.scale.Texts().at(4), QStringLiteral("1:16"));
    QCOMPARE(bar.scale.GetValue(), 2);
    QVERIFY(!bar.IsChangedByUser());
    bar.scale.Choose(3);
    QCOMPARE(bar.scale.GetDivisor(), 8);
    QVERIFY(bar.IsChangedByUser());

    QCOMPARE(bar.order.Texts().size(), 3);
    QCOMPARE(bar.order.Texts().at(1), DLanguage::Active().GetStr(18330));
    bar.order.Choose(2);
    QVERIFY(bar.order.IsRejection());
    QCOMPARE(bar.type.Texts().size(), 2);
    bar.type.Choose(1);
    QVERIFY(bar.type.IsViewSbj());

    // A scale read from a damaged file draws at 1:1.
    bar.scale.SetValue(9, false);
    QCOMPARE(bar.scale.GetDivisor(), 1);

    // Another document's options arrive with their change states.
    Fixture other;
    other.graph.bar.TakeData(bar);
    QVERIFY(other.graph.bar.IsChangedByUser());
    QVERIFY(other.graph.bar.order.IsRejection());
    QCOMPARE(other.graph.bar.scale.GetValue(), 9);
}

void TestDGraphBar::fileBlock()
{
    Fixture f;
    f.graph.bar.type.SetValue(1, true);
    f.graph.bar.order.SetValue(2, true);
    f.graph.bar.scale.SetValue(4, true);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer, QStringLiteral("memory.KalCir"));
    f.graph.bar.ToFile(stream);
    QCOMPARE(buffer.data(), QByteArray("\x01\x02\x04", 3));
    QVERIFY(!f.graph.bar.IsChangedByUser());

    Fixture g;
    buffer.seek(0);
    g.graph.bar.FromFile(stream);
    QCOMPARE(g.graph.bar.type.GetValue(), 1);
    QCOMPARE(g.graph.bar.order.GetValue(), 2);
    QCOMPARE(g.graph.bar.scale.GetValue(), 4);
    QVERIFY(!g.graph.bar.IsChangedByUser());

    // A short block fails with the element's read error.
    QBuffer shortBuffer;
    shortBuffer.setData(QByteArray("\x01", 1));
    shortBuffer.open(QIODevice::ReadOnly);
    DFileStream shortStream(&shortBuffer, QStringLiteral("short.KalCir"));
    QCOMPARE(ErrorOf([&] { g.graph.bar.FromFile(shortStream); }), EError(60010, {"DElemInt8::FromFile()"}).Message());
}

KC_TEST_MAIN(TestDGraphBar)
#include "test_DGraphBar.moc"
