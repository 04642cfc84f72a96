#include "pages/DViews.h"

#include "document/DTest.h"
#include "kit/TGrid.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>

namespace
{
using TestSupport::ErrorOf;
} // namespace

// The fills and reads between the model's plain data and the controls: what
// the pages see, and that a fill is never taken for the user's change.
class TestDViews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionsGridAndSummary()
    {
        DTest test;
        DQuesList& list = test.ques.List();
        TestSupport::MakeMixedQuestions(list);
        TGrid grid;
        DViews::DrawQuestions(list, &grid);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.columnCount(), 3);
        QCOMPARE(grid.columnWidth(2), 500);
        QCOMPARE(grid.item(3, 0)->text(), QStringLiteral("3"));
        QCOMPARE(grid.item(2, 1)->text(), QStringLiteral("Negative"));
        QCOMPARE(grid.item(1, 2)->text(), QStringLiteral("Question 1"));

        QLabel label;
        DViews::DrawSummary(list.SummaryText(), &label);
        QCOMPARE(label.text(), QStringLiteral("3 questions: 2 positive, 1 negative"));
    }

    void questionCheckLists()
    {
        DTest test;
        DQuesList& list = test.ques.List();
        TestSupport::MakeMixedQuestions(list);

        // As the sociogram page does: the fill signals nothing.
        QListWidget widget;
        int changes = 0;
        connect(&widget, &QListWidget::itemChanged, this, [&] { ++changes; });
        DViews::DrawListSoc(list, &widget, true);
        QCOMPARE(changes, 0);
        QCOMPARE(widget.count(), 2);
        QCOMPARE(widget.item(1)->text(), QStringLiteral("Question n.3"));
        widget.item(1)->setCheckState(Qt::Unchecked);
        DViews::GraphSocSelected(list, &widget, true);
        QVERIFY(list.GetSelected(0).graphSoc.IsRequested());
        QVERIFY(list.GetSelected(1).graphSoc.IsRequested());
        QVERIFY(!list.GetSelected(2).graphSoc.IsRequested());

        list.GetSelected(1).graphMet.ToGraph(false);
        DViews::DrawListMet(list, &widget);
        QCOMPARE(widget.count(), 3);
        QCOMPARE(widget.item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(widget.item(2)->checkState(), Qt::Checked);

        widget.item(0)->setCheckState(Qt::Unchecked);
        widget.item(1)->setCheckState(Qt::Checked);
        DViews::GraphMetSelected(list, &widget);
        QCOMPARE(
            list.ListItems(DQuesElem::Met),
            (QList<DQuesList::CheckItem>{{"Question n.1", false}, {"Question n.2", true}, {"Question n.3", true}}));
        // Each analysis stores into its own selection only.
        DViews::GraphTarSelected(list, &widget);
        QVERIFY(!list.GetSelected(0).graphTar.IsRequested());
        QVERIFY(list.GetSelected(0).graphBar.IsRequested());
    }

    void subjectGrids()
    {
        DTest test;
        test.desi.SetQues(2);
        test.desi.SetAnsw(3);
        DSubjList& list = test.subj.List();
        list.SetSize(3, false);
        list.GetSelected(1).appe.Surname().SetText(QStringLiteral("Rossi"));
        list.GetSelected(1).appe.Name().SetText(QStringLiteral("Mario"));
        list.GetSelected(1).sex.SetValue(1, false);
        list.GetSelected(1).note.SetText(QStringLiteral("tall"));
        test.desi.SetDesi(1, 2, 2, 3);

        TGrid grid;
        grid.setRowCount(40);
        grid.setColumnCount(7);
        grid.setItem(0, 1, new QTableWidgetItem(QStringLiteral("Surname")));
        DViews::DrawListAll(list, &grid);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.columnCount(), 5);
        QCOMPARE(grid.columnWidth(4), 300);
        QCOMPARE(grid.item(0, 1)->text(), QStringLiteral("Surname")); // the page's header row stays
        QCOMPARE(grid.item(2, 3)->text(), QStringLiteral("Male"));
        QCOMPARE(grid.item(3, 0)->text(), QStringLiteral("3"));
        QCOMPARE(grid.rowHeight(1), DViews::RowHeight(&grid));
        QVERIFY(!(grid.item(1, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid.item(1, 4)->flags() & Qt::ItemIsEditable);

        // A redraw keeps the widths the user dragged.
        grid.setColumnWidth(1, 180);
        DViews::DrawListAll(list, &grid);
        QCOMPARE(grid.columnWidth(1), 180);

        DViews::DrawListSel(list, test.desi, &grid);
        QCOMPARE(grid.columnCount(), 4);
        QCOMPARE(grid.item(2, 3)->text(), QStringLiteral("1 of 6"));

        QLabel label;
        DViews::DrawSummary(list.SummaryText(), &label);
        QCOMPARE(label.text(), QStringLiteral("3 subjects: 2 female, 1 male"));
    }

    void namesAndFormats()
    {
        DTest test;
        DSubjList& list = test.subj.List();
        list.SetSize(2, false);
        list.GetSelected(0).appe.Surname().SetText(QStringLiteral("Rossi"));
        list.GetSelected(0).appe.Name().SetText(QStringLiteral("Mario"));
        QComboBox combo;
        combo.addItem(QStringLiteral("stale"));
        DViews::DrawAppels(list, {{1, {}}, {2, {DAnswPick::Refusal::Kind::Repeated, 3}}}, &combo, true);
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(0), QStringLiteral("None"));
        QCOMPARE(combo.itemText(1), QStringLiteral("Rossi Mario"));
        QCOMPARE(combo.itemData(1).toInt(), 1);
        // A classmate who cannot be picked says why, and cannot be picked.
        QCOMPARE(combo.itemText(2), QStringLiteral(" (already chosen in answer 3)"));
        QVERIFY(!(combo.model()->flags(combo.model()->index(2, 0)) & Qt::ItemIsEnabled));

        DLanguage italian(DLanguage::Italian);
        DViews::DrawAppeTypes(&combo);
        QCOMPARE(combo.count(), 6);
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(combo.itemText(0), QStringLiteral("Cognome, Nome"));
        QCOMPARE(combo.itemText(4), QStringLiteral("Cognome"));
        QCOMPARE(combo.itemText(5), QStringLiteral("Nome"));
        // The selected item decides the format.
        combo.setCurrentIndex(3);
        DSubjElemAppe appe;
        appe.FromString(combo.currentIndex(), QStringLiteral("Pine Van Oak"));
        QCOMPARE(appe.Surname().ToString(), QStringLiteral("Van Oak"));
        QCOMPARE(appe.Name().ToString(), QStringLiteral("Pine"));
    }

    void subjectOrderRadioButtons()
    {
        DTest test;
        QWidget parent;
        QRadioButton surnameName(&parent), nameSurname(&parent);
        int handled = 0;
        for (QRadioButton* button : {&surnameName, &nameSurname})
        {
            connect(button, &QRadioButton::toggled, this, [&] { ++handled; });
            connect(button, &QRadioButton::clicked, this, [&] { ++handled; });
        }

        DViews::DrawSubjSort(test.answ.subjSort, &surnameName, &nameSurname);
        QVERIFY(surnameName.isChecked());
        test.answ.subjSort.SetNameSurname();
        DViews::DrawSubjSort(test.answ.subjSort, &surnameName, &nameSurname);
        QVERIFY(nameSurname.isChecked());
        QVERIFY(!surnameName.isChecked());
        QCOMPARE(handled, 0);

        surnameName.setChecked(true);
        DViews::UpdateSubjSort(test.answ.subjSort, &surnameName);
        QVERIFY(test.answ.subjSort.IsSurnameName());
        QVERIFY(test.answ.IsChangedByUser());
    }

    void optionComboBoxes()
    {
        // One fill serves every option: its texts, the stored value selected,
        // nothing selected for a value outside the list, and no signal.
        DTest test;
        DGraphBarScale& scale = test.graph.bar.scale;
        QComboBox combo;
        int changes = 0;
        connect(&combo, &QComboBox::currentIndexChanged, this, [&] { ++changes; });
        scale.SetValue(2, false);
        DViews::DrawOption(scale, &combo);
        QCOMPARE(combo.count(), 5);
        QCOMPARE(combo.itemText(4), QStringLiteral("1:16"));
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(changes, 0);
        QVERIFY(!test.graph.IsChangedByUser());

        combo.setCurrentIndex(3);
        DViews::UpdateOption(scale, &combo);
        QCOMPARE(scale.GetDivisor(), 8);
        QVERIFY(test.graph.IsChangedByUser());

        scale.SetValue(9, false);
        DViews::DrawOption(scale, &combo);
        QCOMPARE(combo.currentIndex(), -1);
        // No selection is no choice.
        DViews::UpdateOption(scale, &combo);
        QCOMPARE(scale.GetValue(), 9);

        DViews::DrawOption(test.graph.met.order, &combo);
        QCOMPARE(combo.count(), 5);
        QCOMPARE(combo.itemText(0), QStringLiteral("As in the list"));
    }

    void sociogramSizeFields()
    {
        DTest test;
        DGraphSocSize& size = test.graph.soc.size;
        QWidget window;
        auto* width = new QLineEdit(&window);
        auto* height = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        width->setText(QStringLiteral("1000"));
        height->setText(QStringLiteral("70x"));
        width->setFocus();
        QCOMPARE(ErrorOf([&] { DViews::UpdateSize(size, width, height); }),
                 DLanguage::Active().GetMsg(50080, {400, 4000}));
        QCOMPARE(size.Width(), 1000); // the accepted width stays
        QCOMPARE(size.Height(), 600);
        QTRY_VERIFY(height->hasFocus()); // the refused field

        height->setText(QStringLiteral("700"));
        DViews::UpdateSize(size, width, height);
        QCOMPARE(size.Height(), 700);
        size.Set(800, 600, false);
        DViews::DrawSize(size, width, height);
        QCOMPARE(width->text(), QStringLiteral("800"));
        QCOMPARE(height->text(), QStringLiteral("600"));
    }
};

KC_TEST_MAIN(TestDViews)
#include "test_DViews.moc"
