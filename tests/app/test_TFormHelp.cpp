#include "app/DHelpGuide.h"
#include "app/TFormHelp.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

namespace
{
QTreeWidgetItem* FindItem(QTreeWidget* tree, const QString& title)
{
    const QList<QTreeWidgetItem*> items = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}
} // namespace

class TestTFormHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contentsAndSearch_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("word");
        QTest::newRow("English") << int(DLanguage::English) << QStringLiteral("Kaleidocircle user guide")
                                 << QStringLiteral("8. Target graph") << QStringLiteral("The categories panel")
                                 << QStringLiteral("SOCIOGRAM");
        QTest::newRow("Italian") << int(DLanguage::Italian) << QStringLiteral("Guida per l'utente di Kaleidocircle")
                                 << QStringLiteral("8. Grafico a bersaglio")
                                 << QStringLiteral("Il pannello delle categorie") << QStringLiteral("sociogramma");
    }

    // The guide opens in the interface language with its chapters and
    // sections as contents; a click on one brings its heading into view, and
    // typing words and Enter selects them in the text, case aside.
    void contentsAndSearch()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, chapter);
        QFETCH(QString, section);
        QFETCH(QString, word);
        DLanguage lang(language);
        TFormHelp help(lang);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.windowTitle(), title);

        QTreeWidgetItem* chapterItem = FindItem(help.ContentsTv, chapter);
        QVERIFY(chapterItem);
        QTreeWidgetItem* sectionItem = FindItem(help.ContentsTv, section);
        QVERIFY(sectionItem);
        QCOMPARE(sectionItem->parent(), chapterItem);

        help.ContentsTv->scrollToItem(sectionItem);
        const QRect rect = help.ContentsTv->visualItemRect(sectionItem);
        QTest::mouseClick(help.ContentsTv->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(help.GuideTb->textCursor().block().text().simplified(), section);
        QVERIFY(help.GuideTb->verticalScrollBar()->value() > 0);

        help.FindEd->setFocus();
        QTest::keyClicks(help.FindEd, word);
        QTest::keyClick(help.FindEd, Qt::Key_Return);
        QCOMPARE(help.GuideTb->textCursor().selectedText().toLower(), word.toLower());
        const int first = help.GuideTb->textCursor().position();
        QTest::keyClick(help.FindEd, Qt::Key_Return);
        QVERIFY(help.GuideTb->textCursor().position() != first);
        QVERIFY(help.StatusSt->text().isEmpty());

        help.FindEd->clear();
        QTest::keyClicks(help.FindEd, QStringLiteral("zzqxw"));
        QTest::keyClick(help.FindEd, Qt::Key_Return);
        QVERIFY(help.StatusSt->text().contains(QStringLiteral("\"zzqxw\"")));
    }

    void picturesAreBuiltIn_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(DLanguage::English);
        QTest::newRow("Italian") << int(DLanguage::Italian);
    }

    // Every picture the guide shows is in the program, a picture of the page
    // in the guide's language, and tells in words what it shows.
    void picturesAreBuiltIn()
    {
        QFETCH(int, language);
        DLanguage lang(language);
        TFormHelp help(lang);
        const QString suffix = language == DLanguage::Italian ? QStringLiteral("-ita.png") : QStringLiteral("-eng.png");
        static const QRegularExpression image(QStringLiteral("<img\\s[^>]*>"));
        static const QRegularExpression source(QStringLiteral("src=\"([^\"]+)\""));
        static const QRegularExpression alt(QStringLiteral("alt=\"[^\"]*\\w[^\"]*\""));
        int pictures = 0;
        for (const QRegularExpressionMatch& tag : image.globalMatch(DHelpGuide::Html(language)))
        {
            const QString name = source.match(tag.captured()).captured(1);
            QVERIFY2(name.endsWith(suffix), qPrintable(name));
            QVERIFY2(alt.match(tag.captured()).hasMatch(), qPrintable(name));
            const QImage picture =
                QImage::fromData(help.GuideTb->loadResource(QTextDocument::ImageResource, QUrl(name)).toByteArray());
            QVERIFY2(picture.width() >= 600 && picture.height() >= 400, qPrintable(name));
            ++pictures;
        }
        QCOMPARE(pictures, 7);
    }

    // A change of the interface language while the window is open shows the
    // guide and its contents in the new language.
    void followsTheLanguage()
    {
        DLanguage lang(DLanguage::English);
        TFormHelp help(lang);
        QVERIFY(FindItem(help.ContentsTv, QStringLiteral("9. Sociogram")));
        lang.SetLanguage(DLanguage::Italian);
        help.ViewDesc();
        QVERIFY(FindItem(help.ContentsTv, QStringLiteral("9. Sociogramma")));
        QVERIFY(!FindItem(help.ContentsTv, QStringLiteral("9. Sociogram")));
        QCOMPARE(help.FindBb->text(), QStringLiteral("Trova &successivo"));
    }

    // Without a program for PDF documents the window says so, naming the file,
    // instead of doing nothing.
    void pdfWithoutViewer()
    {
        DLanguage lang(DLanguage::English);
        TFormHelp help(lang);
        QList<QUrl> asked;
        help.SetUrlOpener(
            [&](const QUrl& url)
            {
                asked << url;
                return false;
            });
        QTest::mouseClick(help.PdfBb, Qt::LeftButton);
        QVERIFY(help.StatusSt->text().contains(lang.GetHelpFile()));
    }

    // F1 in the main window opens the guide; asking again shows the same window.
    void openedFromTheMainWindow()
    {
        DTest test;
        DLanguage lang(DLanguage::English);
        TFormMain main(test, lang);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        const QList<TFormHelp*> windows = main.findChildren<TFormHelp*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->isVisible());
        main.HelpAc->trigger();
        QCOMPARE(main.findChildren<TFormHelp*>().size(), 1);
    }
};

KC_TEST_MAIN(TestTFormHelp)
#include "test_TFormHelp.moc"
