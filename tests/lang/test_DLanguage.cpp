#include "lang/DLanguage.h"
#include "lang/DLanguageTable.h"
#include "lang/DRegistry.h"
#include "model/EError.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>

#include <sys/stat.h>

class TestDLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QSettings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle")).clear();
        DRegistry::SetReporter([this](const QString& text) { reports_ << text; });
        reports_.clear();
    }

    void everyIdInBothLanguages()
    {
        // The ids the application uses: every one is present and translated.
        QCOMPARE(kLanguageTableSize, std::size_t(197 + 17 + 10 // base, file errors, locks
                                                 + 27         // undo
                                                 + 11         // arrangement and pins
                                                 + 35         // working groups
                                                 + 27 + 6     // command line, toolkit texts; export options
                                                 + 32         // losses and recovery
                                                 + 52 + 2     // categories and indices; their export kinds
                                                 + 8          // help window
                                                 + 16 + 22    // answers from a form: reading and importing; the dialog
                                                 + 5          // names import
                                                 + 8          // typing, copying and pasting answers
                                                 + 16         // tables for spreadsheets
                                                 + 26         // comparison of two tests
                                                 + 14 + 9     // pictures out: caption, print, save; class report
                                                 + 6          // rank weights; categories panel
                                                 + 7          // sociogram drawing options, palette
                                                 + 1          // narrow windows
                                                 + 13         // screen readers
                                                 + 3          // file kinds
                                                 + 9 + 8      // answers typed, picked and pasted; names import
                                                 + 19 + 3     // form import; side files and recovery
                                                 + 4 + 8      // report, copies and settings; working groups
                                                 ));
        for (std::size_t i = 0; i < kLanguageTableSize; ++i)
        {
            const int id = kLanguageTable[i].id;
            if (i > 0)
                QVERIFY2(kLanguageTable[i - 1].id < id, "ids must be sorted and unique");
            QVERIFY(!DLanguage::GetStrEng(id).isEmpty());
            QVERIFY(!DLanguage::GetStrIta(id).isEmpty());
            QVERIFY(!DLanguage::GetStrEng(id).startsWith(QLatin1String("Invalid error code")));
        }
        QVERIFY(DLanguage::GetStrIta(31000) != DLanguage::GetStrEng(31000));
    }

    void texts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("id");
        QTest::addColumn<DArgs>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("question en") << 0 << 40030 << DArgs{}
                                     << QStringLiteral("The test is changed. Do you want to save it?");
        QTest::newRow("question it") << 1 << 40030 << DArgs{}
                                     << QStringLiteral("Il test è stato modificato. Si desidera salvarlo?");
        QTest::newRow("summary en") << 0 << 11010 << DArgs{5, 3, 2}
                                    << QStringLiteral("5 questions: 3 positive, 2 negative");
        QTest::newRow("summary it") << 1 << 11010 << DArgs{5, 3, 2}
                                    << QStringLiteral("5 domande: 3 positiva/e, 2 negativa/e");
        QTest::newRow("self choice") << 0 << 50090 << DArgs{4}
                                     << QStringLiteral("The subject no.4 has selected himself. Correct the error to "
                                                       "display the chart!");
        QTest::newRow("self choice it") << 1 << 50090 << DArgs{4}
                                        << QStringLiteral("Il soggetto n°4 ha selezionato sè stesso. Correggere "
                                                          "l'errore per visualizzare il grafico!");
        QTest::newRow("no placeholder, no args")
            << 0 << 60030 << DArgs{} << QStringLiteral("The version of the file is not supported!");
        QTest::newRow("no placeholder, extra args")
            << 0 << 60030 << DArgs{1} << QStringLiteral("The version of the file is not supported!");
        QTest::newRow("text argument") << 0 << 60020 << DArgs{QStringLiteral("/t/a b.KalCir")}
                                       << QStringLiteral("The file \"/t/a b.KalCir\" was not recognized!");
        QTest::newRow("missing argument")
            << 0 << 60020 << DArgs{} << QStringLiteral("Unexpected error in DLanguage::GetErr(), code 60020!");
        QTest::newRow("wrong kind") << 0 << 50050 << DArgs{QStringLiteral("1"), 10}
                                    << QStringLiteral("Unexpected error in DLanguage::GetErr(), code 50050!");
        QTest::newRow("missing id en") << 0 << 9 << DArgs{}
                                       << QStringLiteral("Invalid error code \"9\" in DLanguage::GetStrEng()!");
        QTest::newRow("missing id it") << 1 << 9 << DArgs{}
                                       << QStringLiteral("Invalid error code \"9\" in DLanguage::GetStrIta()!");
        QTest::newRow("unsupported language")
            << 7 << 10000 << DArgs{} << QStringLiteral("Language \"7\" not supported in DLanguage::GetStr()!");
    }
    void texts()
    {
        QFETCH(int, language);
        QFETCH(int, id);
        QFETCH(DArgs, args);
        QFETCH(QString, expected);
        DLanguage lang(language);
        QCOMPARE(lang.GetErr(id, args), expected);
    }

    void getMsgNamesItselfInItsFallback()
    {
        DLanguage lang(0);
        QCOMPARE(lang.GetMsg(11010, {5}), QStringLiteral("Unexpected error in DLanguage::GetMsg(), code 11010!"));
    }

    void errorsUseTheLanguageOfTheMoment()
    {
        DLanguage english(0);
        const EError before(50050, {1, 10});
        {
            DLanguage italian(1);
            const EError during(50050, {1, 10});
            QCOMPARE(during.Message(), QStringLiteral("Il numero di domande deve essere compreso tra \"1\" e \"10\"!"));
        }
        QCOMPARE(before.Message(), QStringLiteral("The number of questions must be between \"1\" and \"10\"!"));
        QCOMPARE(&DLanguage::Active(), &english);
    }

    void guardWrapsForeignFailuresOnly()
    {
        DLanguage lang(0);
        try
        {
            EError::Guard("DQuesList::SetSize()", [] { throw std::bad_alloc(); });
            QFAIL("must throw");
        }
        catch (const EError& e)
        {
            QCOMPARE(e.Message(), QStringLiteral("Memory access failed in the \"DQuesList::SetSize()\" module!"));
        }
        try
        {
            EError::Guard("DFileKalCir::Read()", [] { throw EError(60010, {"DElemInt32::FromFile()"}); });
            QFAIL("must throw");
        }
        catch (const EError& e)
        {
            QCOMPARE(e.Message(), QStringLiteral("Read failure from file, module \"DElemInt32::FromFile()\"!"));
        }
        QCOMPARE(EError::Guard("X::Y()", [] { return 42; }), 42);
    }

    void settingsRoundTrip()
    {
        {
            DLanguage first; // no stored value: English, and stored at the end
            QVERIFY(first.IsEng());
            first.SetLanguage(1);
        }
        QSettings settings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle"));
        QCOMPARE(settings.value(QStringLiteral("Options/Language")).toInt(), 1);
        {
            DLanguage second;
            QVERIFY(second.IsIta());
        }
        {
            DLanguage exporter(DLanguage::Store::LoadOnly);
            QVERIFY(exporter.IsIta());
            exporter.SetLanguage(0);
        }
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("Options/Language")).toInt(), 1);
        QVERIFY(reports_.isEmpty());
    }

    // A settings file that names a language this build does not have (a
    // later version's, a hand edit) starts in English, for the window and
    // for an export alike.
    void unknownStoredLanguageIsEnglish_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("7") << QStringLiteral("7");
        QTest::newRow("2") << QStringLiteral("2");
        QTest::newRow("-1") << QStringLiteral("-1");
    }
    void unknownStoredLanguageIsEnglish()
    {
        QFETCH(QString, stored);
        for (const DLanguage::Store store : {DLanguage::Store::LoadAndSave, DLanguage::Store::LoadOnly})
        {
            QSettings settings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle"));
            settings.setValue(QStringLiteral("Options/Language"), stored);
            settings.sync();
            DLanguage language(store);
            QCOMPARE(language.GetLanguage(), int(DLanguage::English));
            QCOMPARE(language.GetStr(40000), QStringLiteral("Message"));
        }
        QVERIFY(reports_.isEmpty());
    }

    void settingsReadDefaults()
    {
        QSettings settings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle"));
        settings.setValue(QStringLiteral("Options/Language"), QStringLiteral("abc"));
        settings.sync();
        DRegistry registry;
        QCOMPARE(registry.ReadInt(QStringLiteral("Options"), QStringLiteral("Language"), 0), 0);
        QCOMPARE(registry.ReadInt(QStringLiteral("Options"), QStringLiteral("Other"), 5), 5);
        settings.setValue(QStringLiteral("Options/Language"), QStringLiteral("1"));
        settings.sync();
        DRegistry again;
        QCOMPARE(again.ReadInt(QStringLiteral("Options"), QStringLiteral("Language"), 0), 1);
    }

    // Not a settings file: neither read (a FIFO would block for ever, a huge
    // file would fill the memory) nor replaced; the defaults hold.
    void unusableSettingsFileIsLeftAlone_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("FIFO") << true << QString();
        QTest::newRow("FIFO as its lock file") << true << QStringLiteral(".lock");
        QTest::newRow("sparse 2 GB file") << false << QString();
    }
    void unusableSettingsFileIsLeftAlone()
    {
        QFETCH(bool, fifo);
        QFETCH(QString, suffix);
        const QString path = DRegistry::FilePath() + suffix;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile::remove(DRegistry::FilePath());
        const auto removeIt = qScopeGuard([&] { QFile::remove(path); });
        const qint64 huge = qint64(2) * 1024 * 1024 * 1024;
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
        {
            TestSupport::WriteFile(path, "[Options]\nLanguage=1\n");
            QVERIFY(QFile::resize(path, huge));
        }
        {
            DLanguage language;
            QVERIFY(language.IsEng());
            language.SetLanguage(1);
        }
        const QFileInfo info(path);
        QVERIFY(info.exists());
        QCOMPARE(info.isFile(), !fifo);
        if (!fifo)
            QCOMPARE(info.size(), huge);
        QVERIFY(reports_.isEmpty());
    }

private:
    QStringList reports_;
};

KC_TEST_MAIN(TestDLanguage)
#include "test_DLanguage.moc"
