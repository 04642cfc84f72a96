#include "analyses/DPalette.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "pages/TFormInfo.h"
#include "pages/TFormLang.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

#include <vector>

namespace
{
// A page that logs its ViewDesc and Draw calls, with the language the
// string table had at that moment.
class LogPage : public TFormPage
{
public:
    LogPage(QStringList& log, const DLanguage& language, const QString& name)
        : log_(log), language_(language), name_(name)
    {
    }
    void ViewDesc() override { log_ << name_ + QStringLiteral(" text ") + language_.GetStr(40000); }
    void Draw() override { log_ << name_ + QStringLiteral(" draw"); }

private:
    QStringList& log_;
    const DLanguage& language_;
    QString name_;
};

const QStringList kPageNames = {QStringLiteral("ques"), QStringLiteral("subj"), QStringLiteral("desi"),
                                QStringLiteral("bar"),  QStringLiteral("tar"),  QStringLiteral("soc"),
                                QStringLiteral("met")};

// A main window with logging pages and the language dialog over them.
struct Shell
{
    DLanguage language;
    DTest test;
    TFormMain form{test, language};
    QStringList log;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    TFormLang* dialog = nullptr;

    explicit Shell(int startLanguage, bool pagesFromMain = false) : language(startLanguage)
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        std::vector<TFormPage*> list;
        for (const QString& name : kPageNames)
            list.push_back(new LogPage(log, language, name));
        // Handed over deliberately out of tab order: the dialog must follow
        // the order of the list it was given.
        TFormPages pages;
        pages.FormGraphMet = list[6];
        pages.FormQues = list[0];
        pages.FormSubj = list[1];
        pages.FormDesi = list[2];
        pages.FormGraphBar = list[3];
        pages.FormGraphTar = list[4];
        pages.FormGraphSoc = list[5];
        form.SetPages(pages);
        if (pagesFromMain)
            list.clear();
        dialog = new TFormLang(language, form, list, &form);
    }

    QStringList MainTexts() const
    {
        QStringList texts;
        for (QAction* action : {form.NewAc, form.LoadAc, form.LangAc, form.ExitAc})
            texts << action->toolTip();
        for (int i = 0; i < form.PageControl->count(); ++i)
            texts << form.PageControl->tabText(i);
        return texts;
    }
};

QStringList ExpectedMainTexts(QString (*column)(int))
{
    QStringList texts;
    for (int id : {10000, 10010, 10040, 10070, 10500, 10510, 10520, 17001, 21001, 23001, 25000})
        texts << column(id);
    return texts;
}

QStringList ExpectedPageLog(const QString& message)
{
    QStringList log;
    for (const QString& name : kPageNames)
        log << name + QStringLiteral(" text ") + message << name + QStringLiteral(" draw");
    return log;
}
} // namespace

class TestTFormLangInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void okSwitchesEveryWindowAtOnce_data()
    {
        QTest::addColumn<bool>("pagesFromMain");
        QTest::newRow("pages given") << false;
        QTest::newRow("pages of the main window") << true;
    }
    void okSwitchesEveryWindowAtOnce()
    {
        QFETCH(bool, pagesFromMain);
        Shell shell(DLanguage::English, pagesFromMain);
        QCOMPARE(shell.MainTexts(), ExpectedMainTexts(&DLanguage::GetStrEng));

        shell.dialog->show();
        QCOMPARE(shell.dialog->Lb->currentItem()->text(), QStringLiteral("English"));
        shell.dialog->Lb->setCurrentRow(1);
        QTest::mouseClick(shell.dialog->OkBb, Qt::LeftButton);

        QVERIFY(shell.language.IsIta());
        QCOMPARE(shell.dialog->result(), int(QDialog::Accepted));
        QVERIFY(!shell.dialog->isVisible());
        QCOMPARE(shell.MainTexts(), ExpectedMainTexts(&DLanguage::GetStrIta));
        QCOMPARE(shell.dialog->windowTitle(), QStringLiteral("Seleziona la lingua"));
        QCOMPARE(shell.dialog->Gb->title(), QStringLiteral("Lingue disponibili"));
        // Every page re-reads its texts in the new language and is redrawn,
        // in tab order.
        QCOMPARE(shell.log, ExpectedPageLog(QStringLiteral("Messaggio")));
        QVERIFY(shell.errors.isEmpty());

        // And back: the list offered the new language, and English returns.
        shell.log.clear();
        shell.dialog->show();
        QCOMPARE(shell.dialog->Lb->currentRow(), 1);
        shell.dialog->Lb->setCurrentRow(0);
        shell.dialog->OkBbClick();
        QVERIFY(shell.language.IsEng());
        QCOMPARE(shell.MainTexts(), ExpectedMainTexts(&DLanguage::GetStrEng));
        QCOMPARE(shell.log, ExpectedPageLog(QStringLiteral("Message")));
    }

    void cancelChangesNothing()
    {
        Shell shell(DLanguage::English);
        shell.dialog->show();
        shell.dialog->Lb->setCurrentRow(1);
        QTest::mouseClick(shell.dialog->CancelB, Qt::LeftButton);

        QVERIFY(shell.language.IsEng());
        QCOMPARE(shell.dialog->result(), int(QDialog::Rejected));
        QVERIFY(!shell.dialog->isVisible());
        QCOMPARE(shell.MainTexts(), ExpectedMainTexts(&DLanguage::GetStrEng));
        QVERIFY(shell.log.isEmpty());
        // The abandoned choice is not offered again.
        shell.dialog->show();
        QCOMPARE(shell.dialog->Lb->currentItem()->text(), QStringLiteral("English"));
    }

    void showsCurrentLanguageSelected_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << int(DLanguage::English) << 0 << QStringLiteral("Select the language");
        QTest::newRow("Italian") << int(DLanguage::Italian) << 1 << QStringLiteral("Seleziona la lingua");
        // A damaged setting: nothing to select until the user picks one.
        QTest::newRow("unsupported") << 7 << -1
                                     << QStringLiteral("Language \"7\" not supported in DLanguage::GetStr()!");
    }
    void showsCurrentLanguageSelected()
    {
        QFETCH(int, language);
        QFETCH(int, row);
        QFETCH(QString, title);
        Shell shell(language);
        // Inside the screen, so that the dialog can be centred on it.
        shell.form.move(10, 10);
        shell.form.resize(760, 560);
        shell.dialog->show();
        QCOMPARE(shell.dialog->Lb->count(), 2);
        QCOMPARE(shell.dialog->Lb->item(0)->text(), QStringLiteral("English"));
        QCOMPARE(shell.dialog->Lb->item(1)->text(), QStringLiteral("Italiano"));
        QCOMPARE(shell.dialog->Lb->currentRow(), row);
        QCOMPARE(shell.dialog->windowTitle(), title);
        // Wider only where the title needs it; the colours' check box below the list.
        QCOMPARE(shell.dialog->height(), 251);
        QCOMPARE(shell.dialog->width() == 274, language != 7);
        QCOMPARE(shell.dialog->frameGeometry().center(), shell.form.frameGeometry().center());
        shell.dialog->reject();
    }

    void okWithoutSelectionKeepsLanguage()
    {
        Shell shell(7);
        shell.dialog->show();
        shell.dialog->OkBbClick();
        QCOMPARE(shell.language.GetLanguage(), 7);
        QVERIFY(shell.errors.isEmpty());
    }

    // The safe colours are the user's own setting: the check box applies them
    // and keeps them in the settings store for the next run.
    void safeColoursAreAppliedAndStored()
    {
        Shell shell(DLanguage::English);
        shell.dialog->show();
        QVERIFY(!shell.dialog->SafeCb->isChecked());
        QTest::mouseClick(shell.dialog->SafeCb, Qt::LeftButton);
        shell.dialog->OkBbClick();
        QVERIFY(DPalette::IsSafe());
        QVERIFY(shell.log.contains(QStringLiteral("soc draw")));
        DPalette::Use(false);
        DPalette::Load();
        QVERIFY(DPalette::IsSafe());

        shell.dialog->show();
        QVERIFY(shell.dialog->SafeCb->isChecked());
        QTest::mouseClick(shell.dialog->SafeCb, Qt::LeftButton);
        shell.dialog->OkBbClick();
        DPalette::Load();
        QVERIFY(!DPalette::IsSafe());
        QVERIFY(shell.errors.isEmpty());
    }

    void infoShowsVersionDateAndThanks_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << int(DLanguage::English) << QStringLiteral("Software version: 1.1.0")
                                 << QStringLiteral("Release date: 18/03/2012") << QStringLiteral("Informations");
        QTest::newRow("Italian") << int(DLanguage::Italian) << QStringLiteral("Versione software: 1.1.0")
                                 << QStringLiteral("Data rilascio: 18/03/2012") << QStringLiteral("Informazioni");
    }
    void infoShowsVersionDateAndThanks()
    {
        QFETCH(int, language);
        QFETCH(QString, version);
        QFETCH(QString, date);
        QFETCH(QString, title);
        DLanguage lang(language);
        QWidget main;
        main.setGeometry(100, 80, 800, 600);
        TFormInfo info(lang, main, &main);
        for (int shown = 0; shown < 2; ++shown)
        {
            info.show();
            QCOMPARE(info.VersSt->text(), version);
            QCOMPARE(info.DateSt->text(), date);
            QCOMPARE(info.windowTitle(), title);
            const QStringList lines = info.ThanksMm->toPlainText().split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 3);
            for (const QString& line : lines)
                QVERIFY(!line.trimmed().isEmpty());
            QVERIFY(info.EmailLl->text().contains(TFormInfo::Email()));
            QCOMPARE(info.height(), 400);
            QVERIFY(info.width() >= 349);
            QCOMPARE(info.frameGeometry().center(), main.frameGeometry().center());
            QTest::mouseClick(shown == 0 ? info.OkBb : info.CancelB, Qt::LeftButton);
            QVERIFY(!info.isVisible());
        }
    }

    void infoLinkOpensMailto()
    {
        DLanguage lang(DLanguage::English);
        QStringList errors;
        DMessages::RealBoxesOnExit realBoxes;
        DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
        QWidget main;
        TFormInfo info(lang, main);
        QList<QUrl> opened;
        info.SetUrlOpener(
            [&](const QUrl& url)
            {
                opened << url;
                return true;
            });
        info.show();
        Q_EMIT info.EmailLl->linkActivated(QStringLiteral("mailto:") + TFormInfo::Email());
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("mailto:kaleidocircle@example.org"))});

        // A failing opener is shown naming the handler, and the dialog stays.
        info.SetUrlOpener([](const QUrl&) -> bool { throw std::runtime_error("no mail program"); });
        info.EmailLlClick();
        QCOMPARE(errors, QStringList{lang.GetErr(50020, {"TFormInfo::EmailLlClick()"})});
        QVERIFY(info.isVisible());
    }
};

KC_TEST_MAIN(TestTFormLangInfo)
#include "test_TFormLangInfo.moc"
