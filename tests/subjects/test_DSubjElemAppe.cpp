#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjElemAppe.h"
#include "tests/TestSupport.h"

namespace
{
DSubjElemAppe Named(const QString& surname, const QString& name)
{
    DSubjElemAppe appe;
    appe.Surname().SetText(surname);
    appe.Name().SetText(name);
    return appe;
}
} // namespace

class TestDSubjElemAppe : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // One line into a subject that was called "Old Former": the names the
    // line gives, or the line the 50040 message names (the names then stay).
    void fromString_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("failingLine");

        QTest::newRow("comma, surname first") << 0 << "Oak, Pine"
                                              << "Oak"
                                              << "Pine" << QString();
        QTest::newRow("comma, name first") << 1 << "Oak, Pine"
                                           << "Pine"
                                           << "Oak" << QString();
        QTest::newRow("space, surname first") << 2 << "Van Oak Pine"
                                              << "Van"
                                              << "Oak Pine" << QString();
        QTest::newRow("space, name first") << 3 << "Pine Van Oak"
                                           << "Van Oak"
                                           << "Pine" << QString();
        QTest::newRow("several spaces") << 2 << "Oak   Pine"
                                        << "Oak"
                                        << "Pine" << QString();
        QTest::newRow("leading space") << 2 << " Oak  Pine "
                                       << ""
                                       << "Oak  Pine" << QString();
        QTest::newRow("further commas stay") << 0 << "Oak, Pine, Elm"
                                             << "Oak"
                                             << "Pine, Elm" << QString();
        QTest::newRow("control chars trimmed") << 0 << "\tOak\t,Pine\x01"
                                               << "Oak"
                                               << "Pine" << QString();
        // What the names cannot hold goes before the split, so blanks next
        // to it are trimmed and the message shows what the user sees.
        QTest::newRow("override next to a blank") << 0 << QString::fromUtf16(u"Oak,\u202E Pine\u2069") << "Oak"
                                                  << "Pine" << QString();
        QTest::newRow("NUL inside") << 0 << QString::fromUtf16(u"O\0ak, Pine", 10) << "Oak"
                                    << "Pine" << QString();
        QTest::newRow("override in a failing line") << 2 << QString::fromUtf16(u"\u202EOakPine") << "Old"
                                                    << "Former"
                                                    << "OakPine";
        QTest::newRow("no part after comma") << 0 << "Oak,"
                                             << "Oak"
                                             << "" << QString();
        QTest::newRow("surname only") << 4 << "  Birch  "
                                      << "Birch"
                                      << "" << QString();
        QTest::newRow("name only") << 5 << "Birch"
                                   << ""
                                   << "Birch" << QString();
        QTest::newRow("empty, surname only") << 4 << ""
                                             << ""
                                             << "" << QString();
        QTest::newRow("tab is no separator") << 2 << "Oak\tPine"
                                             << "Old"
                                             << "Former"
                                             << "Oak\tPine";
        QTest::newRow("space is no comma") << 1 << "Oak Pine"
                                           << "Old"
                                           << "Former"
                                           << "Oak Pine";
        QTest::newRow("empty, comma format") << 0 << ""
                                             << "Old"
                                             << "Former"
                                             << "";
    }
    void fromString()
    {
        QFETCH(int, format);
        QFETCH(QString, line);
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QString, failingLine);

        DSubjElemAppe appe = Named(QStringLiteral("Old"), QStringLiteral("Former"));
        QString error;
        try
        {
            appe.FromString(format, line);
        }
        catch (const EError& e)
        {
            error = e.Message();
        }
        const QString expectedError =
            failingLine.isNull() ? QString() : DLanguage::Active().GetErr(50040, {failingLine});
        QCOMPARE(error, expectedError);
        QCOMPARE(appe.Surname().ToString(), surname);
        QCOMPARE(appe.Name().ToString(), name);
        // Only a real difference counts as the user's change.
        QCOMPARE(appe.Surname().IsChangedByUser(), surname != QLatin1String("Old"));
        QCOMPARE(appe.Name().IsChangedByUser(), name != QLatin1String("Former"));
    }

    void unknownFormatFails()
    {
        DSubjElemAppe appe = Named(QStringLiteral("Old"), QStringLiteral("Former"));
        try
        {
            appe.FromString(6, QStringLiteral("Oak, Pine"));
            QFAIL("no error");
        }
        catch (const EError& e)
        {
            QCOMPARE(e.Message(), DLanguage::Active().GetErr(50020, {"DSubjElemAppe::FromString()"}));
        }
        QCOMPARE(appe.ToString(true), QStringLiteral("Old Former"));
    }

    void fullName_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("surnameFirst");
        QTest::addColumn<QString>("nameFirst");
        QTest::newRow("both") << " Rossi "
                              << "Mario  "
                              << "Rossi Mario"
                              << "Mario Rossi";
        QTest::newRow("surname only") << "Rossi"
                                      << ""
                                      << "Rossi"
                                      << "Rossi";
        QTest::newRow("name only") << ""
                                   << " Mario"
                                   << "Mario"
                                   << "Mario";
        QTest::newRow("neither") << ""
                                 << ""
                                 << ""
                                 << "";
    }
    void fullName()
    {
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QString, surnameFirst);
        QFETCH(QString, nameFirst);
        const DSubjElemAppe appe = Named(surname, name);
        QCOMPARE(appe.ToString(true), surnameFirst);
        QCOMPARE(appe.ToString(false), nameFirst);
        QCOMPARE(appe.IsFilled(), !surname.isEmpty() || !name.isEmpty());
    }
};

KC_TEST_MAIN(TestDSubjElemAppe)
#include "test_DSubjElemAppe.moc"
