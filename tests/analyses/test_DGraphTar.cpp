#include "analyses/DGraph.h"
#include "analyses/DGraphTarChance.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
using TestSupport::ErrorOf;

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPink = qRgb(255, 192, 203);
const QRgb kTurquoise = qRgb(175, 238, 238);

struct Fixture
{
    DTest test;
    DGraph& graph = test.graph;

    DSubjElem& Subject(qint32 id) { return test.subj.List().GetSelected(id - 1); }
    QList<qint32> Ids(int slot) const
    {
        QList<qint32> ids;
        for (const DGraphListSubj& entry : graph.tar.Categories()[std::size_t(slot)].subjects)
            ids << entry.Subj().id.GetValue();
        return ids;
    }
};

// Six subjects, one positive and one negative question with three answers
// (F = 3), answered so that the frequency algorithm puts subject k into
// category k - 1: A, B, C, D, E, F.
struct SixCategories : Fixture
{
    SixCategories()
    {
        test.ques.List().SetSize(2, false);
        test.ques.List().GetSelected(1).type.SetValue(0, false);
        test.subj.List().SetSize(6, false);
        DDesi& d = test.desi;
        // Acceptances: 1 <- 2, 3, 4, 5; 2 <- 1, 3; 4 <- 1; 5 <- 1.
        d.SetDesi(1, 1, 1, 2);
        d.SetDesi(1, 2, 1, 4);
        d.SetDesi(1, 3, 1, 5);
        d.SetDesi(1, 1, 2, 1);
        d.SetDesi(1, 1, 3, 1);
        d.SetDesi(1, 2, 3, 2);
        d.SetDesi(1, 1, 4, 1);
        d.SetDesi(1, 1, 5, 1);
        // Rejections: 5 <- 1, 2, 3, 4; 2, 3, 4 <- 6.
        for (qint32 chooser : {1, 2, 3, 4})
            d.SetDesi(2, 1, chooser, 5);
        d.SetDesi(2, 1, 6, 2);
        d.SetDesi(2, 2, 6, 3);
        d.SetDesi(2, 3, 6, 4);
    }
};
} // namespace

class TestDGraphTar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frequency_data();
    void frequency();
    void preference_data();
    void preference();
    void standardise();
    void binomialTails_data();
    void binomialTails();
    void probability_data();
    void probability();
    void probabilityScheme();
    void probabilityStoredAsClosest();
    void minimumRadius();
    void equalise_data();
    void equalise();
    void positions();
    void categoriesOfBothAlgorithms();
    void drawsSixRings();
    void drawsWithoutSpread();
    void smallSubjects();
    void selfChoiceLeavesWhitePicture();
    void options();
};

void TestDGraphTar::frequency_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("slot");
    QTest::newRow("9/0 popular") << 9 << 0 << 6 << 0;
    QTest::newRow("9/1 popular") << 9 << 1 << 6 << 0;
    QTest::newRow("9/7 controversial") << 9 << 7 << 6 << 3;
    QTest::newRow("9/9 rejected, too close") << 9 << 9 << 6 << 4;
    QTest::newRow("7/9 controversial") << 7 << 9 << 6 << 3;
    QTest::newRow("3/8 rejected") << 3 << 8 << 6 << 4;
    QTest::newRow("0/8 disliked") << 0 << 8 << 6 << 2;
    QTest::newRow("0/0 neglected") << 0 << 0 << 6 << 5;
    QTest::newRow("4/1 liked") << 4 << 1 << 6 << 1;
    QTest::newRow("1/5 disliked") << 1 << 5 << 6 << 2;
    QTest::newRow("3/3 controversial") << 3 << 3 << 6 << 3;
    QTest::newRow("F 0: 1/1 popular") << 1 << 1 << 0 << 0;
    QTest::newRow("F 0: 0/1 disliked") << 0 << 1 << 0 << 2;
    QTest::newRow("F 0: 1/2 rejected") << 1 << 2 << 0 << 4;
}

void TestDGraphTar::frequency()
{
    QFETCH(int, a);
    QFETCH(int, r);
    QFETCH(int, f);
    QFETCH(int, slot);
    QCOMPARE(DGraphTar::FrequencySlot(quint32(a), quint32(r), f), slot);
}

void TestDGraphTar::preference_data()
{
    QTest::addColumn<double>("zA");
    QTest::addColumn<double>("zR");
    QTest::addColumn<int>("slot");
    QTest::newRow("popular") << 1.2 << -0.5 << 0;
    QTest::newRow("controversial") << 0.8 << 0.4 << 3;
    QTest::newRow("average") << 0.5 << 0.2 << 6;
    QTest::newRow("rejected") << -0.8 << 0.6 << 4;
    QTest::newRow("neglected") << -0.7 << -0.6 << 5;
    QTest::newRow("low impact, rejected first") << -1.5 << 0.2 << 4;
    QTest::newRow("low impact on one axis only") << -1.5 << 0.0 << 6;
    QTest::newRow("both at the mean") << 0.0 << 0.0 << 6;
    QTest::newRow("preference exactly 1") << 0.5 << -0.5 << 6;
}

void TestDGraphTar::preference()
{
    QFETCH(double, zA);
    QFETCH(double, zR);
    QFETCH(int, slot);
    QCOMPARE(DGraphTar::PreferenceSlot(zA, zR), slot);
}

void TestDGraphTar::standardise()
{
    // Acceptances 0 2 4: mean 2, sample deviation sqrt((4 + 0 + 4) / 2) = 2;
    // rejections 3 1 2: mean 2, deviation 1.
    const std::vector<DGraphTar::Score> spread = DGraphTar::Standardise({0, 2, 4}, {3, 1, 2});
    QCOMPARE(spread.size(), std::size_t(3));
    QCOMPARE(spread[0].zA, -1.0);
    QCOMPARE(spread[1].zA, 0.0);
    QCOMPARE(spread[2].zA, 1.0);
    QCOMPARE(spread[0].zR, 1.0);
    QCOMPARE(spread[1].zR, -1.0);
    QVERIFY(DGraphTar::TryStandardise({}, {})->empty());

    // An axis without spread has no scores: the message says which counts
    // are all equal, and the acceptances are named first.
    const DLanguage& lang = DLanguage::Active();
    const struct
    {
        std::vector<quint32> a, r;
        QString message;
    } flat[] = {
        {{0, 2, 4}, {0, 0, 0}, lang.GetErr(33010)},
        {{0, 0, 0}, {0, 0, 0}, lang.GetErr(33000)},
        {{2, 2, 2}, {0, 1, 2}, lang.GetErr(33020, {2})},
        {{0, 1, 2}, {3, 3, 3}, lang.GetErr(33030, {3})},
        // One subject cannot be chosen by anybody.
        {{0}, {0}, lang.GetErr(33000)},
    };
    for (const auto& c : flat)
    {
        QVERIFY(!DGraphTar::TryStandardise(c.a, c.r));
        QCOMPARE(ErrorOf([&] { DGraphTar::Standardise(c.a, c.r); }), c.message);
    }
}

void TestDGraphTar::binomialTails_data()
{
    QTest::addColumn<qint64>("trials");
    QTest::addColumn<double>("p");
    QTest::addColumn<qint64>("k");
    QTest::addColumn<double>("atLeast");
    QTest::addColumn<double>("atMost");
    // Binomial(10, 1/2): P(X >= 9) = (10 + 1) / 1024, P(X >= 8) = (45 + 10 + 1) / 1024,
    // P(X <= 9) = 1 - 1/1024, P(X <= 8) = 1 - 11/1024; the lower tails mirror them.
    QTest::newRow("10, 1/2, 9") << qint64(10) << 0.5 << qint64(9) << 11 / 1024.0 << 1023 / 1024.0;
    QTest::newRow("10, 1/2, 8") << qint64(10) << 0.5 << qint64(8) << 56 / 1024.0 << 1013 / 1024.0;
    QTest::newRow("10, 1/2, 1") << qint64(10) << 0.5 << qint64(1) << 1023 / 1024.0 << 11 / 1024.0;
    // Binomial(5, 0.6): P(X >= 5) = 0.6^5, P(X <= 0) = 0.4^5.
    QTest::newRow("5, 0.6, 5") << qint64(5) << 0.6 << qint64(5) << 0.07776 << 1.0;
    QTest::newRow("5, 0.6, 0") << qint64(5) << 0.6 << qint64(0) << 1.0 << 0.01024;
    // Certain choices (A >= N - 1) and no questions at all.
    QTest::newRow("3, 1, 2") << qint64(3) << 1.0 << qint64(2) << 1.0 << 0.0;
    QTest::newRow("0 trials") << qint64(0) << 0.5 << qint64(0) << 1.0 << 1.0;
}

void TestDGraphTar::binomialTails()
{
    QFETCH(qint64, trials);
    QFETCH(double, p);
    QFETCH(qint64, k);
    QFETCH(double, atLeast);
    QFETCH(double, atMost);
    const DGraphTarChance chance(trials, p);
    QVERIFY2(std::abs(chance.AtLeast(k) - atLeast) < 1e-12, qPrintable(QString::number(chance.AtLeast(k))));
    QVERIFY2(std::abs(chance.AtMost(k) - atMost) < 1e-12, qPrintable(QString::number(chance.AtMost(k))));
}

void TestDGraphTar::probability_data()
{
    QTest::addColumn<QList<quint32>>("a");
    QTest::addColumn<QList<quint32>>("r");
    QTest::addColumn<int>("negative");
    QTest::addColumn<QList<int>>("slots");
    // 11 subjects, 5 answers: p = 5 / 10. One positive and one negative
    // question: a and r follow Binomial(10, 1/2), high from 9 (P = 11/1024;
    // 8 gives 56/1024); a + r follows Binomial(20, 1/2), low up to 5
    // (P(X <= 5) = 0.021, P(X <= 6) = 0.058). Both means are 55 / 11 = 5.
    const QList<quint32> a{9, 2, 9, 9, 1, 5, 5, 5, 5, 4, 1};
    QTest::newRow("both polarities") << a << QList<quint32>{1, 9, 9, 5, 2, 1, 9, 5, 5, 4, 5}
                                     << 1
                                     // 1 popular, 2 rejected, 3 controversial, 4 high a with r at
                                     // the mean, 5 impact 3, 7 high r with a at the mean, 11 impact 6.
                                     << QList<int>{0, 4, 3, 6, 5, 6, 6, 6, 6, 6, 6};
    // Without negative questions nobody's rejections fall below their mean
    // of 0: a high a alone is average, and the impact is a ~ Binomial(10,
    // 1/2), low up to 1.
    QTest::newRow("no negative question")
        << a << QList<quint32>(11, 0) << 0 << QList<int>{6, 6, 6, 6, 5, 6, 6, 6, 6, 6, 5};
    QTest::newRow("one subject") << QList<quint32>{0} << QList<quint32>{0} << 1 << QList<int>{6};
}

void TestDGraphTar::probability()
{
    QFETCH(QList<quint32>, a);
    QFETCH(QList<quint32>, r);
    QFETCH(int, negative);
    QFETCH(QList<int>, slots);
    const std::vector<int> got = DGraphTarChance::Slots({a.begin(), a.end()}, {r.begin(), r.end()}, 5, 1, negative);
    QCOMPARE(QList<int>(got.begin(), got.end()), slots);
}

void TestDGraphTar::probabilityScheme()
{
    // Six subjects, three answers: p = 3 / 5. Acceptances 4 2 0 1 1 0 and
    // rejections 0 1 1 1 4 0 through one question each, Binomial(5, 0.6):
    // nobody is high (P(X >= 5) = 0.078). Impact Binomial(10, 0.6) is low up
    // to 2 (P(X <= 2) = 0.012, P(X <= 3) = 0.055): subjects 3, 4 and 6.
    SixCategories f;
    f.graph.tar.stat.SetValue(DGraphTarStat::Probability, false);
    QImage picture = DPicture::Make(1000, 1000);
    f.graph.tar.Draw(picture);
    QCOMPARE(f.Ids(5), (QList<qint32>{3, 4, 6}));
    QCOMPARE(f.Ids(6), (QList<qint32>{1, 2, 5}));
    QCOMPARE(f.graph.tar.Categories()[5].label, DLanguage::Active().GetStr(21220));
    // The rings and legend of preference and impact.
    const int th = DPicture::LineHeight(DPicture::Font(9));
    QCOMPARE(picture.height(), picture.width() + 5 * th + 5);
}

void TestDGraphTar::probabilityStoredAsClosest()
{
    // The analysis section holds 1 for the third scheme, as earlier readers
    // know it; only the record tells them apart, and only on top of a 1.
    DGraphTarStat stat;
    QVERIFY(!stat.Record());
    stat.SetValue(DGraphTarStat::Probability, false);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer, QStringLiteral("memory.KalCir"));
    stat.ToFile(stream);
    QCOMPARE(buffer.data(), QByteArray("\x01", 1));
    const std::optional<QByteArray> record = stat.Record();
    QVERIFY(record);

    const struct
    {
        char stored;
        std::optional<QByteArray> record;
        int value;
    } reads[] = {
        {1, record, DGraphTarStat::Probability},
        {1, std::nullopt, DGraphTarStat::Preference},
        {1, QByteArray("\x07", 1), DGraphTarStat::Preference},
        {0, record, DGraphTarStat::Frequency},
        // A 2 in the section was never written for the third scheme.
        {2, std::nullopt, DGraphTarStat::Preference},
    };
    for (const auto& read : reads)
    {
        buffer.buffer() = QByteArray(1, read.stored);
        buffer.seek(0);
        DGraphTarStat back;
        back.FromFile(stream);
        back.FromRecord(read.record);
        QCOMPARE(back.GetValue(), read.value);
    }
}

void TestDGraphTar::minimumRadius()
{
    const QList<qint32> large{32, 37, 46, 55, 65};
    const QList<qint32> small{22, 26, 32, 38, 45};
    for (qint32 n = 1; n <= 5; ++n)
    {
        QCOMPARE(DGraphTarCat::RadiusMin(n, 999, 64), large[n - 1]);
        QCOMPARE(DGraphTarCat::RadiusMin(n, 999, 44), small[n - 1]);
    }
    QCOMPARE(DGraphTarCat::RadiusMin(0, 100, 64), 164);
}

void TestDGraphTar::equalise_data()
{
    QTest::addColumn<QList<qint32>>("minimum");
    QTest::addColumn<int>("cel");
    QTest::addColumn<QList<qint32>>("radii");
    QTest::newRow("one subject each") << QList<qint32>{32, 32, 32, 32, 32, 32} << 64
                                      << QList<qint32>{32, 96, 160, 224, 288, 352};
    QTest::newRow("five in the outermost")
        << QList<qint32>{64, 128, 192, 256, 320, 65} << 64 << QList<qint32>{64, 128, 192, 256, 320, 384};
    QTest::newRow("crowded outer ring pushes inwards")
        << QList<qint32>{22, 66, 110, 200} << 44 << QList<qint32>{68, 112, 156, 200};
    QTest::newRow("crowded middle ring") << QList<qint32>{32, 96, 300, 32, 96} << 64
                                         << QList<qint32>{172, 236, 300, 364, 428};
}

void TestDGraphTar::equalise()
{
    QFETCH(QList<qint32>, minimum);
    QFETCH(int, cel);
    QFETCH(QList<qint32>, radii);
    std::vector<qint32> values(minimum.begin(), minimum.end());
    DGraphTar::EqualiseRadii(values, cel);
    QCOMPARE(QList<qint32>(values.begin(), values.end()), radii);
}

void TestDGraphTar::positions()
{
    const QPoint c(500, 400);
    QCOMPARE(DGraphTar::Positions(c, 100, 1), std::vector<QPoint>{QPoint(501, 500)});
    const std::vector<QPoint> three{QPoint(400, 401), QPoint(501, 500), QPoint(600, 400)};
    QCOMPARE(DGraphTar::Positions(c, 100, 3), three);
}

void TestDGraphTar::categoriesOfBothAlgorithms()
{
    SixCategories f;
    f.graph.tar.Prepare(f.test.subj.List());
    for (int slot = 0; slot < 6; ++slot)
        QCOMPARE(f.Ids(slot), QList<qint32>{slot + 1});
    QCOMPARE(f.graph.tar.Categories()[4].label, DLanguage::Active().GetStr(21140));

    // Preference and impact over the same answers (acceptances 4 2 0 1 1 0,
    // rejections 0 1 1 1 4 0).
    f.graph.tar.stat.SetValue(1, false);
    f.graph.tar.Prepare(f.test.subj.List());
    QCOMPARE(f.Ids(0), QList<qint32>{1});
    QCOMPARE(f.Ids(4), QList<qint32>{5});
    QCOMPARE(f.Ids(5), QList<qint32>{6});
    QCOMPARE(f.Ids(3), QList<qint32>{});
    QCOMPARE(f.Ids(6), (QList<qint32>{2, 3, 4}));
    QCOMPARE(f.graph.tar.Categories()[4].label, DLanguage::Active().GetStr(21210));
    // Rings A, B, C, D, E from the centre: slots 0, 4, 5, 3, 6.
    QCOMPARE(f.graph.tar.Categories()[0].radius, 32);
    QCOMPARE(f.graph.tar.Categories()[4].radius, 96);
    QCOMPARE(f.graph.tar.Categories()[5].radius, 160);
    QCOMPARE(f.graph.tar.Categories()[3].radius, 224);
    QCOMPARE(f.graph.tar.Categories()[6].radius, 288);

    // Leaving every question out puts everybody into F) Neglected.
    f.graph.tar.stat.SetValue(0, false);
    f.test.ques.List().SetSelected(DQuesElem::Tar, {false, false});
    f.graph.tar.Prepare(f.test.subj.List());
    QCOMPARE(f.Ids(5), (QList<qint32>{1, 2, 3, 4, 5, 6}));
}

void TestDGraphTar::drawsSixRings()
{
    SixCategories f;
    f.Subject(2).sex.SetValue(1, false);
    QImage picture = DPicture::Make(1000, 1000);
    f.graph.tar.Draw(picture);

    const int th = DPicture::LineHeight(DPicture::Font(9));
    const int legend = 6 * th + 5;
    QCOMPARE(picture.size(), QSize(833, 833 + legend));
    // Frame and legend separator.
    QCOMPARE(picture.pixel(0, 0), kBlack);
    QCOMPARE(picture.pixel(832, 832 + legend), kBlack);
    QCOMPARE(picture.pixel(416, 832), kBlack);
    QCOMPARE(picture.pixel(416, 831), kWhite);

    // Centre (416, 416). The outermost ring (radius 352) ends half a cell
    // further out; the innermost (radius 32) at 64.
    QCOMPARE(picture.pixel(32, 416), kBlack);
    QCOMPARE(picture.pixel(31, 416), kWhite);
    QCOMPARE(picture.pixel(800, 416), kBlack);
    QCOMPARE(picture.pixel(416, 352), kBlack);
    QCOMPARE(picture.pixel(416, 480), kBlack);
    QCOMPARE(picture.pixel(350, 416), kWhite);

    // One subject per ring, straight below the centre (cosine rounding up
    // gives x + 1): subject 1 a circle at radius 32, subject 2 a square at 96.
    QCOMPARE(picture.pixel(417 - 18, 448), kPink);
    QCOMPARE(picture.pixel(417 - 22, 448), kBlack);
    QCOMPARE(picture.pixel(417 - 22, 448 - 22), kWhite);
    QCOMPARE(picture.pixel(417 - 22, 512 - 22), kBlack);
    QCOMPARE(picture.pixel(417 + 22, 512 + 22), kBlack);
    QCOMPARE(picture.pixel(417 - 21, 512 - 21), kTurquoise);
    QCOMPARE(picture.pixel(417 + 23, 512), kWhite);
    // Subject 6 on the outermost ring.
    QCOMPARE(picture.pixel(417 - 18, 768), kPink);
}

void TestDGraphTar::drawsWithoutSpread()
{
    // A new test: positive questions only and no answers, so nobody received
    // a rejection. The diagram is not drawn and the message says why.
    Fixture f;
    f.graph.tar.stat.SetValue(1, false);
    QImage picture = DPicture::Make(1000, 1000);
    picture.fill(Qt::black);
    QCOMPARE(ErrorOf([&] { f.graph.tar.Draw(picture); }), DLanguage::Active().GetErr(33000));
    QCOMPARE(picture.pixel(500, 500), kWhite);
}

void TestDGraphTar::smallSubjects()
{
    SixCategories f;
    f.graph.tar.subjDim.SetValue(1, true);
    QImage picture = DPicture::Make(1000, 1000);
    f.graph.tar.Draw(picture);
    // Cell 44: radii 22, 66, ..., 242; W = 88 + 484.
    QCOMPARE(f.graph.tar.Categories()[5].radius, 242);
    QCOMPARE(picture.width(), 573);
    // Centre (286, 286); subject 1 at (287, 308), a circle of 28 pixels.
    QCOMPARE(picture.pixel(287 - 14, 308), kBlack);
    QCOMPARE(picture.pixel(287 - 12, 308), kPink);
    QCOMPARE(picture.pixel(287 - 15, 308), kWhite);
}

void TestDGraphTar::selfChoiceLeavesWhitePicture()
{
    SixCategories f;
    f.test.desi.SetDesi(2, 2, 4, 4);
    QImage picture = DPicture::Make(1000, 1000);
    QCOMPARE(ErrorOf([&] { f.graph.tar.Draw(picture); }), EError(50090, {4}).Message());
    QCOMPARE(picture.size(), QSize(1000, 1000));
    QCOMPARE(picture.pixel(0, 0), kWhite);
    QCOMPARE(picture.pixel(500, 500), kWhite);
}

void TestDGraphTar::options()
{
    Fixture f;
    DGraphTar& tar = f.graph.tar;
    QVERIFY(tar.stat.IsRankPositive());
    QVERIFY(tar.subjDim.IsLarge());
    QCOMPARE(tar.subjDim.GetCel(), 64);
    QCOMPARE(tar.subjDim.GetSbj(), 44);

    QCOMPARE(tar.stat.Texts().size(), 3);
    QCOMPARE(tar.stat.Texts().at(1), DLanguage::Active().GetStr(22130));
    QCOMPARE(tar.stat.Texts().at(2), DLanguage::Active().GetStr(33100));
    QCOMPARE(tar.stat.GetValue(), 0);
    tar.stat.Choose(1);
    QVERIFY(!tar.stat.IsRankPositive());
    // The categorisation is stored with the test: closing must not lose it.
    QVERIFY(tar.IsChangedByUser());
    QVERIFY(f.graph.IsChangedByUser());

    QCOMPARE(tar.subjDim.Texts().at(1), DLanguage::Active().GetStr(22330));
    tar.subjDim.Choose(1);
    QCOMPARE(tar.subjDim.GetCel(), 44);
    QCOMPARE(tar.subjDim.GetSbj(), 28);
    QVERIFY(tar.IsChangedByUser());
    QVERIFY(f.graph.IsChangedByUser());

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer, QStringLiteral("memory.KalCir"));
    tar.ToFile(stream);
    QCOMPARE(buffer.data(), QByteArray("\x01\x01", 2));
    QVERIFY(!tar.IsChangedByUser());

    Fixture g;
    buffer.seek(0);
    g.graph.tar.FromFile(stream);
    QVERIFY(!g.graph.tar.stat.IsRankPositive());
    QVERIFY(!g.graph.tar.subjDim.IsLarge());
    QVERIFY(!g.graph.tar.IsChangedByUser());

    tar.subjDim.SetValue(0, true);
    g.graph.tar.TakeData(tar);
    QVERIFY(g.graph.tar.subjDim.IsLarge());
    QVERIFY(g.graph.tar.IsChangedByUser());
}

KC_TEST_MAIN(TestDGraphTar)
#include "test_DGraphTar.moc"
