#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "lang/DRegistry.h"
#include "model/EError.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include <stdexcept>

class TestDMessages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A replaced box outlives the test function that set it: take it back,
    // so no later test reaches the variables it wrote to.
    void cleanup()
    {
        DMessages::SetErrorBox({});
        DMessages::SetQuestionBox({});
        DMessages::SetChoiceBox({});
    }

    void handlersShowErrors()
    {
        DLanguage lang(1);
        QStringList shown;
        DMessages::SetErrorBox([&](const QString& title, const QString& text)
                               { shown << title + QLatin1Char('|') + text; });
        DMessages::Handle(lang, "TFormMain::LoadAcExecute()", [] { throw EError(60030); });
        DMessages::Handle(lang, "TFormMain::LoadAcExecute()", [] { throw std::runtime_error("x"); });
        DMessages::HandleAsFailure(lang, "TFormMain::CommLineFileOpen()", [] { throw EError(60030); });
        DMessages::Handle(lang, "TFormMain::NewAcExecute()", [] {});
        QCOMPARE(shown,
                 (QStringList{
                     QStringLiteral("Errore|La versione del file non è supportata!"),
                     QStringLiteral("Errore|Accesso alla memoria fallito nel modulo \"TFormMain::LoadAcExecute()\"!"),
                     QStringLiteral("Errore|Accesso alla memoria fallito nel modulo "
                                    "\"TFormMain::CommLineFileOpen()\"!"),
                 }));
    }

    void questionAnswers()
    {
        DLanguage lang(0);
        for (auto answer : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Close})
        {
            QString asked;
            DMessages::SetQuestionBox(
                [&](const QString& title, const QString& text)
                {
                    asked = title + QLatin1Char('|') + text;
                    return answer;
                });
            const auto expected = answer == QMessageBox::Close ? QMessageBox::Cancel : answer;
            QCOMPARE(DMessages::ShowQuestion(lang, 40030), expected);
            QCOMPARE(asked, QStringLiteral("Message|The test is changed. Do you want to save it?"));
        }
    }

    void choiceAnswers()
    {
        // Labels from the table; an answer outside the buttons (the box
        // closed) is the last button, the one that changes nothing.
        DLanguage lang(1);
        for (const auto& [given, expected] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-1, 1}})
        {
            QString asked;
            DMessages::SetChoiceBox(
                [&](const QString& title, const QString& text, const QStringList& buttons)
                {
                    asked = title + QLatin1Char('|') + text + QLatin1Char('|') + buttons.join(QLatin1Char('/'));
                    return given;
                });
            QCOMPARE(DMessages::ShowChoice(lang, QStringLiteral("x"), {36680, 36620}), expected);
            QCOMPARE(asked, QStringLiteral("Messaggio|x|Sovrascrivi/Annulla"));
        }
    }

    // The real boxes show what a file or a form held as it is written: a
    // subject named "<b>Rossi</b>" reads with its brackets, never in bold.
    void realBoxesShowPlainText_data()
    {
        QTest::addColumn<int>("box");
        QTest::newRow("error") << 0;
        QTest::newRow("question") << 1;
        QTest::newRow("choice") << 2;
        QTest::newRow("settings failure") << 3;
    }
    void realBoxesShowPlainText()
    {
        QFETCH(int, box);
        DLanguage lang(0);
        const QString text = QStringLiteral("<b>Rossi</b> & <i>Bianchi</i>");
        Qt::TextFormat format = Qt::RichText;
        QString shown;
        // The box is modal: look at it and press Escape from the event loop
        // it runs.
        QTimer::singleShot(0,
                           [&]
                           {
                               auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                               QVERIFY(open);
                               const auto* label = open->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                               QVERIFY(label);
                               format = label->textFormat();
                               shown = label->text();
                               QTest::keyClick(open, Qt::Key_Escape);
                           });
        switch (box)
        {
        case 0:
            DMessages::ShowErr(lang, text);
            break;
        case 1:
            DMessages::ShowQuestion(lang, text);
            break;
        case 2:
            DMessages::ShowChoice(lang, text, {36680, 36620});
            break;
        default:
            DMessages::ReportRegistryInBoxes();
            DRegistry::Report(text);
            DRegistry::SetDefaultReporter({});
            break;
        }
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    void helpFileAndListBox()
    {
        DLanguage lang(1);
        QVERIFY(lang.GetHelpFile().endsWith(QLatin1String("/Kaleidocircle-ita.pdf")));
        QListWidget list;
        DMessages::ToListBox(lang, &list);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.currentItem()->text(), QStringLiteral("Italiano"));
        list.setCurrentRow(0);
        DMessages::FromListBox(lang, &list);
        QVERIFY(lang.IsEng());
        QVERIFY(lang.GetHelpFile().endsWith(QLatin1String("/Kaleidocircle-eng.pdf")));

        lang.SetLanguage(7);
        QVERIFY(lang.GetHelpFile().endsWith(QLatin1Char('/')));
        DMessages::ToListBox(lang, &list);
        QCOMPARE(list.currentRow(), -1);
    }
};

KC_TEST_MAIN(TestDMessages)
#include "test_DMessages.moc"
