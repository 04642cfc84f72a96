#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "subjects/DSubj.h"
#include "tests/TestSupport.h"

#include <QBuffer>

using TestSupport::Int32;
using TestSupport::Int64;
using TestSupport::Utf16;

namespace
{
constexpr qint64 kSectionsStart = 126;

QByteArray Text(const QString& text)
{
    return Int32(qint32(text.size())) + Utf16(text);
}

// The framing before the sections: zeros, with slot 2 pointing behind them.
QByteArray Framing()
{
    QByteArray bytes(kSectionsStart, '\0');
    bytes.replace(62, 8, Int64(kSectionsStart));
    return bytes;
}

QByteArray Written(DSubj& subj)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write(QByteArray(kSectionsStart, '\0'));
    DFileStream stream(&buffer, QStringLiteral("out.KalCir"));
    subj.ToFile(stream);
    return buffer.data();
}

QString ReadError(DSubj& subj, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DFileStream stream(&buffer, QStringLiteral("/tmp/in.KalCir"));
    try
    {
        subj.FromFile(stream);
    }
    catch (const EError& e)
    {
        return e.Message();
    }
    return {};
}
} // namespace

class TestDSubj : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sectionBytesAndReadBack()
    {
        DDesi desi;
        DSubj subj([&desi](qint32 subjects) { desi.SetSubj(subjects); });
        subj.Description().UserUpdate(QStringLiteral("3ª B"));
        subj.List().SetSize(2, true);
        DSubjElem& first = subj.List().GetSelected(0);
        first.appe.Surname().UserUpdate(QStringLiteral("Rossi"));
        first.note.UserUpdate(QStringLiteral("è"));
        first.soci.acceptance.Set(true, 10, -20);
        DSubjElem& second = subj.List().GetSelected(1);
        second.appe.Name().UserUpdate(QStringLiteral("Ada"));
        second.sex.Invert();
        second.soci.rejection.Set(true, 300, 400);
        QVERIFY(subj.IsChangedByUser());

        const QByteArray expected = Framing() + Text(QStringLiteral("3ª B")) +
                                    Int32(2)
                                    // subject 1: surname, name, sex, note, positions
                                    + Text(QStringLiteral("Rossi")) + Text(QString()) + QByteArray(1, '\0') +
                                    Text(QStringLiteral("è")) + Int32(10) + Int32(-20) + Int32(0) +
                                    Int32(0)
                                    // subject 2
                                    + Text(QString()) + Text(QStringLiteral("Ada")) + QByteArray(1, '\1') +
                                    Text(QString()) + Int32(0) + Int32(0) + Int32(300) + Int32(400);
        const QByteArray bytes = Written(subj);
        QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
        QVERIFY(!subj.IsChangedByUser());

        DDesi otherDesi;
        DSubj other([&otherDesi](qint32 subjects) { otherDesi.SetSubj(subjects); });
        other.Description().UserUpdate(QStringLiteral("old"));
        QCOMPARE(ReadError(other, bytes), QString());
        QCOMPARE(other.Count(), 2);
        QCOMPARE(otherDesi.SubjCount(), 2);
        QCOMPARE(other.Description().ToString(), QStringLiteral("3ª B"));
        const DSubjElem& read1 = other.List().GetSelected(0);
        const DSubjElem& read2 = other.List().GetSelected(1);
        QCOMPARE(read1.id.GetValue(), 1);
        QCOMPARE(read2.id.GetValue(), 2);
        QCOMPARE(read1.appe.ToString(true), QStringLiteral("Rossi"));
        QCOMPARE(read1.note.ToString(), QStringLiteral("è"));
        QCOMPARE(read1.soci.acceptance.Get(), QPoint(10, -20));
        QVERIFY(read1.sex.IsFemale());
        QCOMPARE(read2.appe.ToString(false), QStringLiteral("Ada"));
        QVERIFY(!read2.sex.IsFemale());
        QCOMPARE(read2.soci.rejection.Get(), QPoint(300, 400));
        QVERIFY(!other.List().IsChangedByUser());
    }

    void refusesCountsOutsideTheRange_data()
    {
        QTest::addColumn<qint32>("count");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("101") << 101 << false;
        QTest::newRow("negative") << -1 << false;
        QTest::newRow("huge") << 0x7fffffff << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("100") << 100 << true;
    }
    void refusesCountsOutsideTheRange()
    {
        QFETCH(qint32, count);
        QFETCH(bool, accepted);
        QByteArray bytes = Framing() + Text(QString()) + Int32(count);
        for (qint32 k = 0; accepted && k < count; ++k)
            bytes += Text(QStringLiteral("S")) + Text(QString()) + QByteArray(1, '\0') + Text(QString()) +
                     QByteArray(16, '\0');

        DDesi desi;
        DSubj subj([&desi](qint32 subjects) { desi.SetSubj(subjects); });
        const QString error = ReadError(subj, bytes);
        if (accepted)
        {
            QCOMPARE(error, QString());
            QCOMPARE(subj.Count(), count);
            QCOMPARE(subj.List().GetSelected(count - 1).id.GetValue(), count);
            return;
        }
        QCOMPARE(error, QStringLiteral("The file \"/tmp/in.KalCir\" was not recognized!"));
        QCOMPARE(subj.Count(), 10);
        QCOMPARE(desi.SubjCount(), 10);
    }

    void truncatedRecordIsAReadFailure()
    {
        DDesi desi;
        DSubj subj([&desi](qint32 subjects) { desi.SetSubj(subjects); });
        const QByteArray bytes = Framing() + Text(QString()) + Int32(2) + Text(QStringLiteral("Rossi"));
        QCOMPARE(ReadError(subj, bytes), QStringLiteral("Read failure from file, module \"DElemString::FromFile()\"!"));
    }

    void newEmptiesTheDescriptionAndTheList()
    {
        DDesi desi;
        DSubj subj([&desi](qint32 subjects) { desi.SetSubj(subjects); });
        subj.Description().UserUpdate(QStringLiteral("class"));
        subj.List().SetSize(QStringLiteral("4"));
        subj.List().GetSelected(0).appe.Surname().UserUpdate(QStringLiteral("Rossi"));
        subj.New();
        QVERIFY(!subj.Description().HasText());
        QCOMPARE(subj.Count(), 10);
        QCOMPARE(desi.SubjCount(), 10);
        QVERIFY(!subj.List().GetSelected(0).appe.IsFilled());
    }

    void takeDataCopiesEverythingStored()
    {
        DDesi desi;
        DSubj subj([&desi](qint32 subjects) { desi.SetSubj(subjects); });
        DDesi freshDesi;
        DSubj fresh([&freshDesi](qint32 subjects) { freshDesi.SetSubj(subjects); });
        fresh.Description().SetText(QStringLiteral("group"));
        fresh.List().SetSize(3, false);
        fresh.List().GetSelected(2).appe.Name().SetText(QStringLiteral("Ada"));
        fresh.List().GetSelected(2).soci.acceptance.Set(false, 5, 6);

        subj.TakeData(fresh);
        QCOMPARE(subj.Description().ToString(), QStringLiteral("group"));
        QCOMPARE(subj.Count(), 3);
        QCOMPARE(subj.List().GetSelected(2).id.GetValue(), 3);
        QCOMPARE(subj.List().GetSelected(2).appe.Name().ToString(), QStringLiteral("Ada"));
        QCOMPARE(subj.List().GetSelected(2).soci.acceptance.Get(), QPoint(5, 6));
        QCOMPARE(desi.SubjCount(), 10); // the document tells the matrix itself
    }
};

KC_TEST_MAIN(TestDSubj)
#include "test_DSubj.moc"
