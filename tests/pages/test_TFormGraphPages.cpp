#include "analyses/DGraphIndices.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"
#include "pages/TFormGraphBar.h"
#include "pages/TFormGraphMet.h"
#include "pages/TFormGraphTar.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <cerrno>
#include <functional>

namespace
{
// The three pages over one test, shown (so that they draw), with every error
// box answered by the test.
struct Pages
{
    DLanguage language;
    DTest test;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    TFormGraphBar bar{test, language};
    TFormGraphTar tar{test, language};
    TFormGraphMet met{test, language};

    explicit Pages(int lang = DLanguage::English) : language(lang)
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        for (TFormGraph* page : List())
        {
            page->resize(900, 700);
            page->show();
        }
    }
    QList<TFormGraph*> List() { return {&bar, &tar, &met}; }
    void DrawAll()
    {
        for (TFormGraph* page : List())
            page->Draw();
    }
    // Subjects 2 and 3 accept subject 1 in the first question, subject 1
    // rejects subject 4 in the second, which is made negative.
    void Choices()
    {
        test.subj.List().SetSize(4, false);
        test.ques.List().GetSelected(1).type.SetValue(0, false);
        test.desi.SetDesi(1, 1, 2, 1);
        test.desi.SetDesi(1, 1, 3, 1);
        test.desi.SetDesi(2, 1, 1, 4);
    }
};

bool IsWhite(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

// One option of one page: its combo box and the value in the document.
struct Option
{
    const char* name;
    std::function<QComboBox*(Pages&)> combo;
    std::function<qint32(DTest&)> get;
    std::function<void(DTest&, qint32)> set;
    int values;
    bool changesTest;
};

QList<Option> Options()
{
    return {
        {"bar type", [](Pages& p) { return p.bar.OptTypeCb; }, [](DTest& t) { return t.graph.bar.type.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.bar.type.SetValue(v, false); }, 2, true},
        {"bar order", [](Pages& p) { return p.bar.OptOrderCb; }, [](DTest& t) { return t.graph.bar.order.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.bar.order.SetValue(v, false); }, 3, true},
        {"bar scale", [](Pages& p) { return p.bar.OptScaleCb; }, [](DTest& t) { return t.graph.bar.scale.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.bar.scale.SetValue(v, false); }, 5, true},
        // The categorisation is stored with the test like every other option.
        {"target algorithm", [](Pages& p) { return p.tar.OptStatCb; },
         [](DTest& t) { return t.graph.tar.stat.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.tar.stat.SetValue(v, false); }, 3, true},
        {"target size", [](Pages& p) { return p.tar.OptSubjDimCb; },
         [](DTest& t) { return t.graph.tar.subjDim.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.tar.subjDim.SetValue(v, false); }, 2, true},
        {"metric order", [](Pages& p) { return p.met.OptOrderCb; },
         [](DTest& t) { return t.graph.met.order.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.met.order.SetValue(v, false); }, 5, true},
        // One option of the test, offered on both pages.
        {"bar scores", [](Pages& p) { return p.bar.OptWeightCb; }, [](DTest& t) { return t.graph.weight.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.weight.SetValue(v, false); }, 2, true},
        {"metric scores", [](Pages& p) { return p.met.OptWeightCb; },
         [](DTest& t) { return t.graph.weight.GetValue(); },
         [](DTest& t, qint32 v) { t.graph.weight.SetValue(v, false); }, 2, true},
    };
}
} // namespace

class TestTFormGraphPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every command of a page's strip can be seen and clicked: no button
    // lies over another (the metric table's first two share the pixel row
    // between them, as they always did).
    void stripButtonsNeverOverlap()
    {
        Pages p;
        for (TFormGraph* page : p.List())
        {
            const QList<QToolButton*> buttons = page->StripPn->findChildren<QToolButton*>();
            for (qsizetype i = 0; i < buttons.size(); ++i)
                for (qsizetype j = i + 1; j < buttons.size(); ++j)
                {
                    const QRect shared = buttons[i]->geometry().intersected(buttons[j]->geometry());
                    QVERIFY2(shared.isEmpty() || shared.height() <= 1,
                             qPrintable(QStringLiteral("%1: %2 and %3")
                                            .arg(page->objectName(), buttons[i]->toolTip(), buttons[j]->toolTip())));
                }
        }
    }

    void optionsComeFromTheDocumentAndGoBackAsUserChanges();
    void optionsOfAnOpenedFileAreShown();
    void questionChecksAreStoredAndRedrawAtOnce();
    void optionChangesRedrawAtOnce();
    void selfChoiceShowsTheErrorOnAWhitePicture();
    void clipboardHoldsThePicture();
    void optionsPanelIsShownAndHidden();
    void textsFollowTheLanguage();
    void exportWritesTheTableInItsOrder();
    void exportFailuresShowTheirReason();
    void exportForSpreadsheets();
    void categoriesBesideTheDiagram();
    void categoriesPanelLeavesTheDiagramWhole();
};

void TestTFormGraphPages::optionsComeFromTheDocumentAndGoBackAsUserChanges()
{
    for (const Option& option : Options())
    {
        Pages p;
        QComboBox* combo = option.combo(p);
        const int last = option.values - 1;

        // A hidden page draws nothing.
        option.set(p.test, last);
        for (TFormGraph* page : p.List())
            page->hide();
        p.DrawAll();
        QVERIFY2(combo->count() == 0, option.name);

        for (TFormGraph* page : p.List())
            page->show();
        p.DrawAll();
        QVERIFY2(combo->count() == option.values, option.name);
        QVERIFY2(combo->currentIndex() == last, option.name);
        QVERIFY2(!p.test.IsChangedByUser(), option.name);

        combo->setCurrentIndex(0);
        QVERIFY2(option.get(p.test) == 0, option.name);
        QVERIFY2(p.test.IsChangedByUser() == option.changesTest, option.name);
        QVERIFY2(p.errors.isEmpty(), option.name);
    }
}

void TestTFormGraphPages::optionsOfAnOpenedFileAreShown()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.KalCir"));
    {
        DTest other;
        for (const Option& option : Options())
            option.set(other, option.values - 1);
        other.ques.List().GetSelected(0).graphBar.ToGraph(false);
        other.ques.List().GetSelected(1).graphTar.ToGraph(false);
        other.ques.List().GetSelected(2).graphMet.ToGraph(false);
        other.file.Write(path);
    }
    Pages p;
    p.DrawAll();
    p.test.file.Read(path);
    p.DrawAll();
    for (const Option& option : Options())
        QVERIFY2(option.combo(p)->currentIndex() == option.values - 1, option.name);
    const std::pair<QListWidget*, int> lists[] = {{p.bar.OptQuesLb, 0}, {p.tar.OptQuesLb, 1}, {p.met.OptQuesLb, 2}};
    for (const auto& [list, unchecked] : lists)
    {
        QCOMPARE(list->count(), 5);
        for (int k = 0; k < list->count(); ++k)
            QCOMPARE(list->item(k)->checkState(), k == unchecked ? Qt::Unchecked : Qt::Checked);
    }
    QVERIFY(p.errors.isEmpty());
}

void TestTFormGraphPages::questionChecksAreStoredAndRedrawAtOnce()
{
    Pages p;
    p.Choices();
    p.DrawAll();
    const QImage barBefore = p.bar.Picture();

    // Clearing every check mark leaves boxes without bars.
    for (int k = 0; k < p.bar.OptQuesLb->count(); ++k)
        p.bar.OptQuesLb->item(k)->setCheckState(Qt::Unchecked);
    for (int k = 0; k < p.test.ques.List().GetSize(); ++k)
        QVERIFY(!p.test.ques.List().GetSelected(k).graphBar.IsRequested());
    QVERIFY(p.test.IsChangedByUser());
    QVERIFY(p.bar.Picture() != barBefore);
    // The list the user was clicking in stays as it was.
    QCOMPARE(p.bar.OptQuesLb->count(), 5);

    // The other analyses keep their own selection.
    p.tar.OptQuesLb->item(1)->setCheckState(Qt::Unchecked);
    p.met.OptQuesLb->item(2)->setCheckState(Qt::Unchecked);
    for (int k = 0; k < 5; ++k)
    {
        const DQuesElem& question = p.test.ques.List().GetSelected(k);
        QCOMPARE(question.graphTar.IsRequested(), k != 1);
        QCOMPARE(question.graphMet.IsRequested(), k != 2);
    }
    // Drawing again shows the stored marks.
    p.DrawAll();
    QCOMPARE(p.bar.OptQuesLb->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(p.tar.OptQuesLb->item(1)->checkState(), Qt::Unchecked);
    QCOMPARE(p.met.OptQuesLb->item(2)->checkState(), Qt::Unchecked);
    QVERIFY(p.errors.isEmpty());
}

void TestTFormGraphPages::optionChangesRedrawAtOnce()
{
    Pages p;
    p.Choices();
    // Tall bars, so that halving them shows in the picture's height.
    p.test.subj.List().SetSize(12, false);
    p.test.answ.num.SetValue(5, false);
    for (int chooser = 2; chooser <= 12; ++chooser)
        for (const int q : {1, 3, 4, 5})
            for (int a = 1; a <= 5; ++a)
                p.test.desi.SetDesi(q, a, chooser, 1);
    p.DrawAll();

    const int barHeight = p.bar.Picture().height();
    p.bar.OptScaleCb->setCurrentIndex(1);
    QVERIFY(p.bar.Picture().height() < barHeight);
    QVERIFY(p.bar.Picture().height() >= 251);
    QCOMPARE(p.bar.Image->size(), p.bar.Picture().size());

    // Small boxes shrink the rings and with them the picture.
    const QSize tarSize = p.tar.Picture().size();
    p.tar.OptSubjDimCb->setCurrentIndex(1);
    QVERIFY(p.tar.Picture().width() < tarSize.width());
    QCOMPARE(p.tar.Image->size(), p.tar.Picture().size());

    const QImage metBefore = p.met.Picture();
    // Subject 4, the only one rejected, moves to the top.
    p.met.OptOrderCb->setCurrentIndex(DGraphMetOrder::RejectionInDegree);
    QCOMPARE(p.met.Picture().size(), metBefore.size());
    QVERIFY(p.met.Picture() != metBefore);

    // Rank weights widen the table with their columns; the bar graph, which
    // shares the option, shows it and taller bars when drawn again.
    const int barHalved = p.bar.Picture().height();
    p.met.OptWeightCb->setCurrentIndex(DGraphWeight::Rank);
    QCOMPARE(p.met.Picture().width(), DGraphMet::Width(true) + 1);
    p.bar.Draw();
    QCOMPARE(p.bar.OptWeightCb->currentIndex(), int(DGraphWeight::Rank));
    QVERIFY(p.bar.Picture().height() > barHalved);
    QVERIFY(p.errors.isEmpty());
}

void TestTFormGraphPages::selfChoiceShowsTheErrorOnAWhitePicture()
{
    Pages p;
    p.Choices();
    p.test.graph.bar.scale.SetValue(2, false);
    p.DrawAll();
    QVERIFY(p.errors.isEmpty());

    p.test.desi.SetDesi(1, 2, 3, 3);
    p.DrawAll();
    const QString message = p.language.GetErr(50090, {3});
    QCOMPARE(p.errors, QStringList({message, message, message}));
    for (TFormGraph* page : p.List())
    {
        QCOMPARE(page->Picture().size(), QSize(1000, 1000));
        QVERIFY(IsWhite(page->Picture()));
        // Beside the categories panel the diagram is seen whole.
        const QSize shown = page == &p.tar ? QSize(1000, 1000).scaled(p.tar.ScrollBox1->size(), Qt::KeepAspectRatio)
                                           : QSize(1000, 1000);
        QCOMPARE(page->Image->size(), shown);
    }
    // The options stay as set.
    QCOMPARE(p.bar.OptScaleCb->currentIndex(), 2);
    QCOMPARE(p.bar.OptQuesLb->count(), 5);

    // An option change draws again and meets the same error.
    p.errors.clear();
    p.tar.OptSubjDimCb->setCurrentIndex(1);
    QCOMPARE(p.test.graph.tar.subjDim.GetValue(), 1);
    QCOMPARE(p.errors, QStringList{message});
    QVERIFY(IsWhite(p.tar.Picture()));
}

void TestTFormGraphPages::clipboardHoldsThePicture()
{
    Pages p;
    p.Choices();
    p.DrawAll();
    for (TFormGraph* page : p.List())
    {
        QGuiApplication::clipboard()->clear();
        page->ClipExpSb->click();
        const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied, page->Picture().convertToFormat(QImage::Format_RGB32));
        QVERIFY(!IsWhite(copied));
    }
    // Right after an error the white picture is copied.
    p.test.desi.SetDesi(1, 1, 4, 4);
    p.met.Draw();
    p.met.ClipExpSb->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(1000, 1000));
    QVERIFY(IsWhite(copied.convertToFormat(QImage::Format_RGB32)));
}

void TestTFormGraphPages::optionsPanelIsShownAndHidden()
{
    Pages p;
    for (TFormGraph* page : p.List())
    {
        QVERIFY(page->OptPn->isHidden());
        page->OptSb->click();
        QVERIFY(page->OptPn->isVisible());
        page->OptSb->click();
        QVERIFY(page->OptPn->isHidden());
        QCOMPARE(page->ScrollBox(), page->ScrollBox1);
        QCOMPARE(page->ScrollBox1->widget(), page->Image);
    }
    // The target diagram's button stays pressed while its panel is open.
    p.tar.OptSb->click();
    QVERIFY(p.tar.OptSb->isChecked());
    p.tar.OptSb->click();
    QVERIFY(!p.tar.OptSb->isChecked());
}

void TestTFormGraphPages::textsFollowTheLanguage()
{
    for (const int lang : {int(DLanguage::English), int(DLanguage::Italian)})
    {
        Pages p(lang);
        p.DrawAll();
        const DLanguage& l = p.language;
        QCOMPARE(p.bar.OptSb->toolTip(), l.GetStr(17000));
        QCOMPARE(p.bar.OptTypeGb->title(), l.GetStr(18110));
        QCOMPARE(p.bar.OptTypeCb->toolTip(), l.GetStr(18120));
        QCOMPARE(p.bar.OptQuesLb->toolTip(), l.GetStr(18210));
        QCOMPARE(p.bar.OptScaleGb->toolTip(), l.GetStr(18410));
        QCOMPARE(p.tar.ClipExpSb->toolTip(), l.GetStr(21010));
        QCOMPARE(p.tar.OptStatCb->toolTip(), l.GetStr(22110));
        QCOMPARE(p.tar.OptStatCb->itemText(1), l.GetStr(22130));
        QCOMPARE(p.met.FileExpSb->toolTip(), l.GetStr(25080));
        QCOMPARE(p.met.OptOrderGb->title(), l.GetStr(25060));
        QCOMPARE(p.met.OptQuesLb->toolTip(), l.GetStr(25040));
    }
}

void TestTFormGraphPages::exportWritesTheTableInItsOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.txt"));
    TestSupport::WriteFile(path,
                           QByteArray("an earlier export that is longer than the table will be\r\n").repeated(50));
    Pages p;
    p.Choices();
    p.DrawAll();
    int dialogs = 0;
    QString answer;
    p.met.SetSaveDialog(
        [&]
        {
            ++dialogs;
            return answer;
        });

    // Cancelling the dialog writes nothing.
    p.met.FileExpSb->click();
    QCOMPARE(dialogs, 1);
    QVERIFY(TestSupport::ReadFile(path).startsWith("an earlier export"));

    answer = path;
    p.met.OptOrderCb->setCurrentIndex(DGraphMetOrder::RejectionOutDegree);
    const bool changed = p.test.IsChangedByUser();
    p.met.FileExpSb->click();
    QVERIFY(p.errors.isEmpty());
    const QByteArray bytes = TestSupport::ReadFile(path);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines[0].startsWith(p.language.GetStr(25200).toUtf8()));
    // Subject 1 is the only one who rejects anybody.
    QVERIFY(lines[1].startsWith("1,"));
    QCOMPARE(bytes, DGraphMet::CsvBytes(
                        [&]
                        {
                            QStringList expected;
                            p.test.graph.met.ToMemoCsv(expected);
                            return expected;
                        }()));
    QCOMPARE(p.test.IsChangedByUser(), changed);
}

void TestTFormGraphPages::exportFailuresShowTheirReason()
{
    QTemporaryDir dir;
    Pages p;
    p.Choices();
    const bool changed = p.test.IsChangedByUser();

    // A folder that does not exist.
    QString answer = dir.filePath(QStringLiteral("missing/table.txt"));
    p.met.SetSaveDialog([&] { return answer; });
    p.met.FileExpSb->click();
    QCOMPARE(p.errors, QStringList{QStringLiteral("Cannot write \"%1\": No such file or directory").arg(answer)});
    QCOMPARE(p.test.IsChangedByUser(), changed);

    // A full disk: the earlier export stays as it was.
    p.errors.clear();
    answer = dir.filePath(QStringLiteral("earlier.txt"));
    TestSupport::WriteFile(answer, "an earlier export");
    {
        DFileWriter::Fault full(DFileWriter::Step::Write, ENOSPC);
        p.met.FileExpSb->click();
    }
    QCOMPARE(p.errors, QStringList{QStringLiteral("Cannot write \"%1\": No space left on device").arg(answer)});
    QCOMPARE(TestSupport::ReadFile(answer), QByteArray("an earlier export"));

    // Answers the table refuses: the user is told why, and nothing is written.
    p.errors.clear();
    answer = dir.filePath(QStringLiteral("table.txt"));
    p.test.desi.SetDesi(1, 1, 2, 2);
    p.met.FileExpSb->click();
    QCOMPARE(p.errors, QStringList{p.language.GetErr(50090, {2})});
    QVERIFY(!QFile::exists(answer));
}

void TestTFormGraphPages::categoriesBesideTheDiagram()
{
    // Nobody received a rejection (subject 1's rejection is only set later):
    // preference and impact cannot be drawn and say why, yet the table shows
    // every subject with what exists.
    Pages p(DLanguage::Italian);
    p.test.subj.List().SetSize(4, false);
    p.test.ques.List().GetSelected(1).type.SetValue(0, false);
    p.test.desi.SetDesi(1, 1, 2, 1);
    p.test.desi.SetDesi(1, 1, 3, 1);
    p.DrawAll();
    p.tar.OptStatCb->setCurrentIndex(DGraphTarStat::Preference);
    QCOMPARE(p.errors, QStringList{DLanguage::GetStrIta(33010)});
    QCOMPARE(p.tar.Picture().pixel(10, 10), qRgb(255, 255, 255));
    QCOMPARE(p.tar.CatSg->rowCount(), 4);
    QCOMPARE(p.tar.CatSg->horizontalHeaderItem(10)->text(), DLanguage::GetStrIta(33480));
    QCOMPARE(p.tar.CatSg->item(0, 3)->text(), QStringLiteral("2"));
    QCOMPARE(p.tar.CatSg->item(0, 5)->text(), QString());
    QVERIFY(p.tar.CatCriteriaSt->text().contains(DLanguage::GetStrIta(33330).toHtmlEscaped()));
    QVERIFY(p.tar.CatIndicesSt->text().startsWith(DLanguage::GetStrIta(33610) + QStringLiteral(": 4")));

    // With a rejection the scores exist; copying gives the same table as text.
    p.errors.clear();
    p.test.desi.SetDesi(2, 1, 1, 4);
    p.tar.Draw();
    QVERIFY(p.errors.isEmpty());
    QVERIFY(!p.tar.CatSg->item(0, 5)->text().isEmpty());
    QTest::mouseClick(p.tar.CatCopyBt, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), DGraphTarTable::Text(DGraphTarTable::Rows(p.test.graph)) +
                                                       QLatin1Char('\n') + DGraphIndices::Of(p.test.graph).Text());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("categories.txt"));
    p.tar.SetSaveDialog([&] { return path; });
    QTest::mouseClick(p.tar.CatExpBt, Qt::LeftButton);
    QCOMPARE(TestSupport::ReadFile(path), DCsv::Bytes(DGraphTarTable::CsvLines(DGraphTarTable::Rows(p.test.graph))));
    QVERIFY(p.errors.isEmpty());
}

void TestTFormGraphPages::categoriesPanelLeavesTheDiagramWhole()
{
    // The page about as large as in the main window at its first size.
    Pages p;
    p.Choices();
    p.tar.resize(720, 560);
    p.DrawAll();
    QVERIFY(p.tar.CatPn->isVisible());
    QVERIFY(p.tar.CatSb->isChecked());
    QVERIFY(p.tar.CatPn->width() >= 180);
    // Beside the panel the diagram is seen whole, scaled down; the
    // clipboard's picture keeps its size.
    const QSize shown = p.tar.Image->size();
    QVERIFY(shown.width() <= p.tar.ScrollBox1->viewport()->width());
    QVERIFY(shown.height() <= p.tar.ScrollBox1->viewport()->height());
    QVERIFY(shown.width() < p.tar.Picture().width());
    QTest::mouseClick(p.tar.ClipExpSb, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), p.tar.Picture().size());

    // Hidden, the panel leaves the diagram at its own size, and the next
    // page remembers the choice.
    QTest::mouseClick(p.tar.CatSb, Qt::LeftButton);
    QVERIFY(p.tar.CatPn->isHidden());
    QCOMPARE(p.tar.Image->size(), p.tar.Picture().size());
    {
        DTest test;
        TFormGraphTar again(test, p.language);
        QVERIFY(again.CatPn->isHidden());
        QVERIFY(!again.CatSb->isChecked());
    }
    QTest::mouseClick(p.tar.CatSb, Qt::LeftButton);
    QVERIFY(p.tar.CatPn->isVisible());
    QCOMPARE(p.tar.Image->size(), shown);
    DTest test;
    TFormGraphTar shownAgain(test, p.language);
    QVERIFY(!shownAgain.CatPn->isHidden());
    QVERIFY(p.errors.isEmpty());
}

// A .csv is for a spreadsheet: the dialog offers what the interface
// language's spreadsheets expect, the user's changes reach the file, and a
// cancel writes nothing. The categories table shares the dialog without
// the category column.
void TestTFormGraphPages::exportForSpreadsheets()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabella.csv"));
    Pages p(DLanguage::Italian);
    p.Choices();
    p.DrawAll();
    p.met.SetSaveDialog([&] { return path; });
    QStringList offered;
    std::function<void(TFormCsvOpt&)> act;
    const auto run = [&](TFormCsvOpt& options)
    {
        options.show();
        const QList<QAbstractButton*> marks{options.SepCommaRb, options.SepSemicolonRb, options.SepTabRb,
                                            options.DecPointRb, options.DecCommaRb,     options.BomCb,
                                            options.CatCb};
        offered.clear();
        for (QAbstractButton* mark : marks)
            if (mark->isVisible() && mark->isChecked())
                offered << mark->objectName();
        act(options);
        return options.result() == QDialog::Accepted;
    };
    const auto click = [](QAbstractButton* button)
    { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); };
    p.met.SetCsvOptionsDialog(run);
    p.tar.SetCsvOptionsDialog(run);

    act = [&](TFormCsvOpt& options) { click(options.CancelB); };
    p.met.FileExpSb->click();
    QCOMPARE(offered, (QStringList{"SepSemicolonRb", "DecCommaRb", "BomCb", "CatCb"}));
    QVERIFY(!QFile::exists(path));

    act = [&](TFormCsvOpt& options)
    {
        click(options.SepTabRb);
        click(options.OkBb);
    };
    p.met.FileExpSb->click();
    QVERIFY(p.errors.isEmpty());
    DCsv::Options chosen = DCsv::Options::ForSpreadsheet(DLanguage::Italian);
    chosen.separator = DCsv::Options::Separator::Tab;
    QStringList lines;
    p.test.graph.met.ToMemoCsv(lines, chosen, true);
    const QByteArray bytes = TestSupport::ReadFile(path);
    QCOMPARE(bytes, DGraphMet::CsvBytes(lines, chosen));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBFN\xC2\xB0\tCognome\t"));
    QVERIFY(bytes.contains("\t0,667\t"));
    QVERIFY(bytes.contains("\tCategoria (Frequenza)\r\n"));

    p.tar.SetSaveDialog([&] { return path; });
    act = [&](TFormCsvOpt& options)
    {
        click(options.BomCb);
        click(options.OkBb);
    };
    QTest::mouseClick(p.tar.CatExpBt, Qt::LeftButton);
    QCOMPARE(offered, (QStringList{"SepSemicolonRb", "DecCommaRb", "BomCb"}));
    chosen = DCsv::Options::ForSpreadsheet(DLanguage::Italian);
    chosen.byteOrderMark = false;
    QCOMPARE(TestSupport::ReadFile(path),
             DCsv::Bytes(DGraphTarTable::CsvLines(DGraphTarTable::Rows(p.test.graph), chosen), chosen));
    QVERIFY(p.errors.isEmpty());
}

KC_TEST_MAIN(TestTFormGraphPages)
#include "test_TFormGraphPages.moc"
