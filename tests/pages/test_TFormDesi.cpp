#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormDesi.h"
#include "pages/TFormDesiOpt.h"
#include "tests/TestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <memory>

namespace
{
// The answers page over its own test, shown on its own so that it counts as
// the visible tab; every error box is collected.
struct Page
{
    DLanguage language{DLanguage::English};
    DTest test;
    TFormMain main{test, language};
    std::unique_ptr<TFormDesi> page;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    QStringList questions;
    QMessageBox::StandardButton reply = QMessageBox::Yes;

    // Names "Surname<k> Name<k>" unless given; an empty text leaves a part empty.
    explicit Page(const QList<QStringList>& names = {})
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox(
            [this](const QString&, const QString& text)
            {
                questions << text;
                return reply;
            });
        if (names.size() > test.subj.Count())
            test.subj.List().SetSize(qint32(names.size()), false);
        for (int k = 0; k < names.size(); ++k)
        {
            DSubjElemAppe& appe = test.subj.List().GetSelected(k).appe;
            appe.Surname().SetText(names[k].value(0));
            appe.Name().SetText(names[k].value(1));
        }
        page = std::make_unique<TFormDesi>(test, language, main);
        page->SetHost(&main);
        page->resize(700, 500);
        page->show();
        QApplication::setActiveWindow(page.get());
        [&] { QVERIFY(QTest::qWaitForWindowActive(page.get())); }();
    }

    // A key as the user presses it: to whatever has the focus.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }
    void Type(const QString& text) const
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    QPoint Current() const { return {page->DesiSg->currentColumn(), page->DesiSg->currentRow()}; }
    // Every cell of the choice matrix, question by question.
    QList<qint32> Matrix() const
    {
        QList<qint32> values;
        for (int s = 1; s <= test.subj.Count(); ++s)
            for (int q = 1; q <= test.desi.QuesCount(); ++q)
                for (int r = 1; r <= test.desi.AnswCount(); ++r)
                    values << test.desi.GetDesi(q, r, s);
        return values;
    }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = page->DesiSg->item(row, column);
        return item ? item->text() : QStringLiteral("<no item>");
    }
    QString Summary(int subject) const { return page->SubjSg->item(subject, 3)->text(); }
    QStringList Appels() const
    {
        QStringList texts;
        for (int i = 0; i < page->AppelCb->count(); ++i)
            texts << page->AppelCb->itemText(i);
        return texts;
    }
    // The user moves to a cell and picks an entry of the pick list.
    void Pick(int question, int answer, int index)
    {
        page->DesiSg->setCurrentCell(question, answer);
        page->AppelCb->setCurrentIndex(index);
        Q_EMIT page->AppelCb->activated(index);
    }
    void Pick(int question, int answer, const QString& text) { Pick(question, answer, page->AppelCb->findText(text)); }
    // The entries of the list under a typed text.
    QStringList Typed() const
    {
        QStringList shown;
        for (int i = 0; i < page->AppelLb->count(); ++i)
            shown << page->AppelLb->item(i)->text();
        return shown;
    }
    QString Caption() const
    {
        const auto* caption = page->findChild<QLabel*>(QStringLiteral("SubjSt"));
        return caption ? caption->text() : QStringLiteral("<no caption>");
    }
    // Whether the row of subject k is in sight in the subject grid.
    bool SubjectInSight(int k) const
    {
        return page->SubjSg->viewport()->rect().contains(page->SubjSg->visualItemRect(page->SubjSg->item(k, 1)));
    }
};

// Subjects "S<k> N<k>" for k from 1 to count.
QList<QStringList> Numbered(int count)
{
    QList<QStringList> names;
    for (int k = 1; k <= count; ++k)
        names << QStringList{QStringLiteral("S%1").arg(k), QStringLiteral("N%1").arg(k)};
    return names;
}

const QString kNone = QStringLiteral("None");
} // namespace

class TestTFormDesi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showFillsBothGrids()
    {
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}});
        QTableWidget* desi = p.page->DesiSg;
        QCOMPARE(desi->rowCount(), 6);
        QCOMPARE(desi->columnCount(), 4);
        for (int q = 1; q <= 5; ++q)
        {
            QCOMPARE(p.Cell(q, 0), QStringLiteral("Question n.%1").arg(q));
            for (int r = 1; r <= 3; ++r)
                QCOMPARE(p.Cell(q, r), kNone);
        }
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(p.Cell(0, r), QStringLiteral("Answer n.%1").arg(r));
        QCOMPARE(desi->currentRow(), 1);
        QCOMPARE(desi->currentColumn(), 1);

        QTableWidget* subj = p.page->SubjSg;
        QCOMPARE(subj->rowCount(), 11);
        const QStringList header = {QStringLiteral("N."), QStringLiteral("Surname"), QStringLiteral("Name"),
                                    QStringLiteral("Answers")};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(subj->item(0, column)->text(), header[column]);
        QCOMPARE(subj->item(2, 1)->text(), QStringLiteral("Bianchi"));
        QCOMPARE(p.Summary(1), QStringLiteral("0 of 15"));
        QCOMPARE(subj->currentRow(), 1);

        // Only named subjects are offered, sorted, after "None", never the
        // one who answers.
        QCOMPARE(p.Appels(), (QStringList{kNone, QStringLiteral("Bianchi Luca")}));
        QVERIFY(p.page->AppelCb->isVisible());
        QCOMPARE(p.page->AppelCb->geometry(), desi->visualItemRect(desi->item(1, 1)));
        QCOMPARE(p.page->AppelCb->currentIndex(), 0);

        // A hidden page is not drawn.
        p.page->hide();
        p.test.answ.num.SetValue(5, false);
        p.page->Draw();
        QCOMPARE(desi->columnCount(), 4);
        QVERIFY(p.errors.isEmpty());
    }

    void pickStoresTheChoiceAsUserChange()
    {
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Carlo"}});
        QVERIFY(!p.test.IsChangedByUser());
        // No subject row was clicked yet: the answer belongs to the current row.
        p.Pick(2, 3, QStringLiteral("Verdi Carlo"));
        QCOMPARE(p.test.desi.GetDesi(2, 3, 1), 3);
        QVERIFY(p.test.IsChangedByUser());
        QCOMPARE(p.Cell(2, 3), QStringLiteral("Verdi Carlo"));
        QCOMPARE(p.Summary(1), QStringLiteral("1 of 15"));

        p.Pick(2, 3, kNone);
        QCOMPARE(p.test.desi.GetDesi(2, 3, 1), 0);
        QCOMPARE(p.Cell(2, 3), kNone);
        QCOMPARE(p.Summary(1), QStringLiteral("0 of 15"));

        // Another subject row shows that subject's answers, and picks go there.
        p.test.desi.SetDesi(1, 2, 3, 2);
        p.page->SubjSg->setCurrentCell(3, 1);
        QCOMPARE(p.Cell(1, 2), QStringLiteral("Bianchi Luca"));
        p.page->DesiSg->setCurrentCell(1, 2);
        QCOMPARE(p.page->AppelCb->currentText(), QStringLiteral("Bianchi Luca"));
        p.Pick(4, 1, QStringLiteral("Rossi Anna"));
        QCOMPARE(p.test.desi.GetDesi(4, 1, 3), 1);
        QCOMPARE(p.test.desi.GetDesi(4, 1, 1), 0);
        QCOMPARE(p.Summary(3), QStringLiteral("2 of 15"));
        QCOMPARE(p.Summary(1), QStringLiteral("0 of 15"));

        // The fixed header row of the subjects is never the selected subject.
        p.page->SubjSg->setCurrentCell(0, 1);
        QCOMPARE(p.page->SubjSg->currentRow(), 3);
        QVERIFY(p.errors.isEmpty());
    }

    void pickedEntryDecidesTheSubject()
    {
        // Two namesakes, a subject called like the "None" entry, and one
        // without any name; subject 5 answers.
        Page p({{"Rossi", "Anna"}, {"Rossi", "Anna"}, {"None", ""}, {"", ""}});
        p.page->SubjSg->setCurrentCell(5, 1);
        QCOMPARE(p.Appels().mid(0, 4),
                 (QStringList{kNone, kNone, QStringLiteral("Rossi Anna"), QStringLiteral("Rossi Anna")}));
        p.Pick(1, 1, 3);
        QCOMPARE(p.test.desi.GetDesi(1, 1, 5), 2);
        p.Pick(1, 2, 2);
        QCOMPARE(p.test.desi.GetDesi(1, 2, 5), 1);
        // "None" first, then the subject of that name.
        QCOMPARE(p.page->AppelCb->itemData(0).toInt(), 0);
        p.Pick(1, 3, 1);
        QCOMPARE(p.test.desi.GetDesi(1, 3, 5), 3);
        p.Pick(1, 3, 0);
        QCOMPARE(p.test.desi.GetDesi(1, 3, 5), 0);

        // Coming back to a cell selects the entry of the stored subject.
        p.page->DesiSg->setCurrentCell(1, 1);
        QCOMPARE(p.page->AppelCb->currentIndex(), 3);

        // A choice of the nameless subject shows an empty name and selects nothing.
        p.test.desi.SetDesi(2, 1, 5, 4);
        p.page->Draw();
        QCOMPARE(p.Cell(2, 1), QString());
        p.page->DesiSg->setCurrentCell(2, 1);
        QCOMPARE(p.page->AppelCb->currentIndex(), -1);
        QVERIFY(p.errors.isEmpty());
    }

    void wheelOverPickListKeepsTheAnswer()
    {
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}});
        // Ten answers are wider than the page; the questions fit its height.
        p.test.answ.num.SetValue(10, false);
        p.page->Draw();
        p.Pick(1, 1, 1);
        p.page->AppelCb->setFocus();
        const QRect cell = p.page->AppelCb->geometry();
        const QPointF at(5, 5);
        QWheelEvent wheel(at, p.page->AppelCb->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(p.page->AppelCb, &wheel);
        QCOMPARE(p.page->AppelCb->currentIndex(), 1);
        QCOMPARE(p.test.desi.GetDesi(1, 1, 1), 2);
        // The pick list stays on its cell: a vertical turn never scrolls across.
        QCOMPARE(p.page->DesiSg->horizontalScrollBar()->value(), 0);
        QCOMPARE(p.page->AppelCb->geometry(), cell);
    }

    void navigationKeysNeverPick_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("current"); // answer, question
        QTest::newRow("down") << int(Qt::Key_Down) << QPoint(2, 3);
        QTest::newRow("up") << int(Qt::Key_Up) << QPoint(2, 1);
        QTest::newRow("right") << int(Qt::Key_Right) << QPoint(3, 2);
        QTest::newRow("left") << int(Qt::Key_Left) << QPoint(1, 2);
        QTest::newRow("page down") << int(Qt::Key_PageDown) << QPoint(2, 5);
        QTest::newRow("page up") << int(Qt::Key_PageUp) << QPoint(2, 1);
        QTest::newRow("letter") << int(Qt::Key_R) << QPoint(2, 2);
    }
    void navigationKeysNeverPick()
    {
        QFETCH(int, key);
        QFETCH(QPoint, current);
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Carlo"}});
        p.Pick(2, 2, QStringLiteral("Bianchi Luca"));
        // The pick list has the focus, as after a click on it.
        p.page->AppelCb->setFocus();
        const QList<qint32> before = p.Matrix();
        p.Key(key);
        QCOMPARE(p.Matrix(), before);
        QCOMPARE(p.Current(), current);
        QCOMPARE(p.Cell(2, 2), QStringLiteral("Bianchi Luca"));
        QVERIFY(p.errors.isEmpty());
    }

    void wholeClassByKeyboard()
    {
        // Four subjects, two questions of two answers: every answer typed,
        // by number or by the first letters of a name, and Enter.
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Carlo"}, {"Neri", "Bruno"}});
        p.test.subj.List().SetSize(4, true);
        p.test.ques.List().SetSize(2, false);
        p.test.answ.num.SetValue(2, false);
        p.page->Draw();
        p.page->DesiSg->setFocus();
        // Per subject, question by question: what is typed for each answer.
        const QStringList typed = {"2",  "ve", "ne", "3",   // Rossi
                                   "ro", "4",  "1",  "car", // Bianchi
                                   "1",  "bi", "br", "2",   // Verdi
                                   "3",  "an", "lu", "ro"}; // Neri
        const QList<qint32> expected = {2, 3, 4, 3, 1, 4, 1, 3, 1, 2, 4, 2, 3, 1, 2, 1};
        int keys = 0;
        for (const QString& text : typed)
        {
            p.Type(text);
            p.Key(Qt::Key_Return);
            keys += int(text.size()) + 1;
        }
        QCOMPARE(p.Matrix(), expected);
        QVERIFY(keys <= 3 * int(expected.size()));
        // The last Enter stays on the last cell of the last subject.
        QCOMPARE(p.page->SubjSg->currentRow(), 4);
        QCOMPARE(p.Current(), QPoint(2, 2));
        QCOMPARE(p.Cell(2, 2), QStringLiteral("Rossi Anna"));
        QCOMPARE(p.Summary(2), QStringLiteral("4 of 4"));
        // Every answer is a step of its own.
        QCOMPARE(p.main.UndoStack()->count(), 16);
        p.main.UndoStack()->undo();
        QCOMPARE(p.test.desi.GetDesi(2, 2, 4), 0);
        QVERIFY(p.errors.isEmpty());
    }

    void typingOffersOthersAndRefusesRepeats()
    {
        Page p({{"Rossi", "Anna"}, {"Rossa", "Bice"}, {"Verdi", "Carlo"}, {"Rosi", "Dino"}, {"Neri", "Rosa"}});
        p.test.desi.SetDesi(1, 1, 1, 2);
        p.page->Draw();
        p.page->DesiSg->setCurrentCell(1, 2);
        p.page->DesiSg->setFocus();
        p.Type(QStringLiteral("ros"));
        QListWidget* list = p.page->AppelLb;
        // Subject 1 answers: not offered; subject 2 already chosen in this
        // question, so it cannot be taken; surnames first, then names.
        QCOMPARE(p.Typed(),
                 (QStringList{"4  Rosi Dino", "2  Rossa Bice (already chosen in answer 1)", "5  Neri Rosa"}));
        QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
        // Arrows move in the list past what cannot be taken; Escape leaves
        // everything as it was.
        p.Key(Qt::Key_Down);
        QCOMPARE(list->currentRow(), 2);
        p.Key(Qt::Key_Up);
        QCOMPARE(list->currentRow(), 0);
        p.Key(Qt::Key_Escape);
        QVERIFY(!p.page->AppelLe->isVisible());
        QCOMPARE(p.test.desi.GetDesi(1, 2, 1), 0);
        QCOMPARE(p.Current(), QPoint(2, 1));
        // A text that fits nobody says so and stores nothing on Enter.
        p.Type(QStringLiteral("zz"));
        QCOMPARE(p.Typed(), QStringList{"No subject's name starts with \"zz\"."});
        p.Key(Qt::Key_Return);
        QVERIFY(p.page->AppelLe->isVisible());
        p.Key(Qt::Key_Escape);
        // Nor does a repeat, or the own name.
        for (const QString& typed : {QStringLiteral("rossa"), QStringLiteral("2"), QStringLiteral("rossi")})
        {
            p.Type(typed);
            p.Key(Qt::Key_Return);
            QVERIFY(p.page->AppelLe->isVisible());
            QCOMPARE(p.test.desi.GetDesi(1, 2, 1), 0);
            p.Key(Qt::Key_Escape);
        }
        // The chosen row is stored; Delete and Backspace clear, each a step.
        p.Type(QStringLiteral("ro"));
        p.Key(Qt::Key_Down);
        p.Key(Qt::Key_Return);
        QCOMPARE(p.test.desi.GetDesi(1, 2, 1), 5);
        QCOMPARE(p.Current(), QPoint(3, 1));
        p.Key(Qt::Key_Left);
        p.Key(Qt::Key_Delete);
        QCOMPARE(p.test.desi.GetDesi(1, 2, 1), 0);
        QCOMPARE(p.Cell(1, 2), kNone);
        p.Key(Qt::Key_Up);
        p.Key(Qt::Key_Left);
        p.Key(Qt::Key_Backspace);
        QCOMPARE(p.test.desi.GetDesi(1, 1, 1), 0);
        QCOMPARE(p.main.UndoStack()->count(), 3);
        QVERIFY(p.errors.isEmpty());
    }

    // A typed number stands for the subject with exactly that number: 1 is
    // never 10, and the one who answers is refused in place.
    void typedNumberPicksExactly()
    {
        Page p(Numbered(12));
        p.page->DesiSg->setFocus();
        p.Type(QStringLiteral("1"));
        QCOMPARE(p.Typed(), QStringList{"1  S1 N1 (who answers: nobody can choose themselves)"});
        p.Key(Qt::Key_Return);
        QVERIFY(p.page->AppelLe->isVisible());
        QCOMPARE(p.test.desi.GetDesi(1, 1, 1), 0);
        QCOMPARE(p.Current(), QPoint(1, 1));
        p.Key(Qt::Key_Escape);
        // A number beyond the subjects says so, and stores nothing either.
        p.Type(QStringLiteral("13"));
        QCOMPARE(p.Typed(), QStringList{"No subject has the number 13: the numbers go from 1 to 12."});
        p.Key(Qt::Key_Return);
        QVERIFY(p.page->AppelLe->isVisible());
        p.Key(Qt::Key_Escape);
        QCOMPARE(p.Matrix(), QList<qint32>(12 * 15, 0));

        // Subject 2: "1" and Enter store subject 1.
        p.page->SubjSg->setCurrentCell(2, 1);
        p.page->DesiSg->setCurrentCell(1, 1);
        p.page->DesiSg->setFocus();
        p.Type(QStringLiteral("1"));
        QCOMPARE(p.Typed(), QStringList{"1  S1 N1"});
        p.Key(Qt::Key_Return);
        QCOMPARE(p.test.desi.GetDesi(1, 1, 2), 1);
        QVERIFY(p.errors.isEmpty());
    }

    void typedNumbersInHundredSubjects()
    {
        Page p(Numbered(100));
        p.test.answ.num.SetValue(10, false);
        p.page->SubjSg->setCurrentCell(50, 1);
        p.page->Draw();
        p.page->DesiSg->setCurrentCell(1, 1);
        p.page->DesiSg->setFocus();
        const QList<qint32> typed = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 100, 11, 12, 19, 20, 49, 51, 99};
        for (const qint32 k : typed)
        {
            p.Type(QString::number(k));
            p.Key(Qt::Key_Return);
        }
        QList<qint32> stored;
        for (int q = 1; q <= 2; ++q)
            for (int r = 1; r <= 10; ++r)
                stored << p.test.desi.GetDesi(q, r, 50);
        QCOMPARE(stored.mid(0, typed.size()), typed);

        // Subjects 1 to 10 typing their own number: refused, not 10, 20...
        for (int k = 1; k <= 10; ++k)
        {
            p.page->SubjSg->setCurrentCell(k, 1);
            p.page->DesiSg->setCurrentCell(1, 1);
            p.page->DesiSg->setFocus();
            p.Type(QString::number(k));
            p.Key(Qt::Key_Return);
            QVERIFY(p.page->AppelLe->isVisible());
            p.Key(Qt::Key_Escape);
            QCOMPARE(p.test.desi.GetDesi(1, 1, k), 0);
            QCOMPARE(p.Summary(k), QStringLiteral("0 of 50"));
        }
        QVERIFY(p.errors.isEmpty());
    }

    // The pick list never offers the one who answers; a classmate already
    // chosen in the question is greyed, and a pick of it is refused.
    void pickListKeepsToTheRule()
    {
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Carlo"}});
        p.Pick(1, 1, QStringLiteral("Bianchi Luca"));
        p.page->DesiSg->setCurrentCell(1, 2);
        QCOMPARE(p.Appels(), (QStringList{kNone, "Bianchi Luca (already chosen in answer 1)", "Verdi Carlo"}));
        QVERIFY(!(p.page->AppelCb->model()->flags(p.page->AppelCb->model()->index(1, 0)) & Qt::ItemIsEnabled));
        const QList<qint32> before = p.Matrix();
        p.Pick(1, 2, 1);
        QCOMPARE(p.Matrix(), before);
        QCOMPARE(p.errors, QStringList{"Question 1, answer 2: \"Bianchi Luca\" is already chosen in answer 1 of this "
                                       "question: nobody can be chosen twice in one question."});
        QCOMPARE(p.page->AppelCb->currentIndex(), 0);
        // In the cell that holds it, the choice is no repeat.
        p.page->DesiSg->setCurrentCell(1, 1);
        QCOMPARE(p.page->AppelCb->currentText(), QStringLiteral("Bianchi Luca"));
        p.Pick(1, 1, QStringLiteral("Verdi Carlo"));
        QCOMPARE(p.test.desi.GetDesi(1, 1, 1), 3);
        // Another subject is offered the first one, not themself.
        p.page->SubjSg->setCurrentCell(3, 1);
        p.page->DesiSg->setCurrentCell(2, 1);
        QCOMPARE(p.Appels(), (QStringList{kNone, "Bianchi Luca", "Rossi Anna"}));
        QCOMPARE(p.errors.size(), 1);
    }

    // Item 4: the caption names the subject, the rows their questions, the
    // subject grid grows with the page and keeps the subject in sight, and
    // Enter on it goes to that subject's answers.
    void answersSayWhose()
    {
        QList<QStringList> names = Numbered(30);
        names[3] = QStringList{QString(), QString()};
        Page p(names);
        p.test.ques.List().GetSelected(0).text.SetText(QStringLiteral("Whom would you like to sit next to?"));
        p.page->Draw();
        QCOMPARE(p.Caption(), QStringLiteral("Answers of subject 1: S1 N1"));
        QCOMPARE(p.Cell(1, 0), QStringLiteral("1. Whom would you like to sit next to?"));
        QCOMPARE(p.page->DesiSg->verticalHeaderItem(1)->text(), p.Cell(1, 0));
        QCOMPARE(p.page->DesiSg->verticalHeaderItem(1)->toolTip(),
                 QStringLiteral("Whom would you like to sit next to?"));
        QCOMPARE(p.Cell(2, 0), QStringLiteral("Question n.2"));
        // A long question is cut in sight and whole in its tip.
        const QString longText = QStringLiteral("Whom would you invite to your birthday party, if you could invite "
                                                "only a few of your classmates and nobody else?");
        p.test.ques.List().GetSelected(2).text.SetText(longText);
        p.page->Draw();
        QVERIFY(p.page->DesiSg->verticalHeaderItem(3)->text().endsWith(QChar(0x2026)));
        QVERIFY(p.page->DesiSg->verticalHeader()->width() <= 280);
        QCOMPARE(p.page->DesiSg->verticalHeaderItem(3)->toolTip(), longText);

        // Enter on the subject grid: to that subject's first answer.
        p.page->SubjSg->setFocus();
        for (int k = 0; k < 3; ++k)
            p.Key(Qt::Key_Down);
        p.Key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), p.page->DesiSg);
        QCOMPARE(p.Current(), QPoint(1, 1));
        QCOMPARE(p.Caption(), QStringLiteral("Answers of subject 4"));

        // Enter past the last answer goes to the next subject, in sight.
        p.page->SubjSg->setCurrentCell(12, 1);
        p.page->DesiSg->setCurrentCell(5, 3);
        p.page->DesiSg->setFocus();
        p.Type(QStringLiteral("1"));
        p.Key(Qt::Key_Return);
        QCOMPARE(p.page->SubjSg->currentRow(), 13);
        QVERIFY(p.SubjectInSight(13));
        QCOMPARE(p.Caption(), QStringLiteral("Answers of subject 13: S13 N13"));

        // A taller window shows more subjects; the answers keep their height.
        const int subjects = p.page->SubjSg->height();
        const int answers = p.page->DesiSg->height();
        p.page->resize(700, 900);
        QTRY_VERIFY(p.page->SubjSg->height() >= subjects + 350);
        QCOMPARE(p.page->DesiSg->height(), answers);
        // Every question's row is in sight, and five rows of subjects at least.
        QVERIFY(
            p.page->DesiSg->viewport()->rect().contains(p.page->DesiSg->visualItemRect(p.page->DesiSg->item(5, 3))));
        p.page->resize(700, 500);
        QTRY_VERIFY(p.page->SubjSg->height() >= 5 * p.page->SubjSg->rowHeight(1));
        QVERIFY(p.errors.isEmpty());

        p.language.SetLanguage(DLanguage::Italian);
        p.page->ViewDesc();
        p.page->Draw();
        QCOMPARE(p.Caption(), QStringLiteral("Risposte del soggetto 13: S13 N13"));
        QCOMPARE(p.Cell(2, 0), QStringLiteral("Domanda n°2"));
    }

    void pasteBlock_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("error");
        QTest::newRow("names and numbers") << "Bianchi Luca\t1\r\n\tanna rossi\r\n" << QString();
        QTest::newRow("self-choice")
            << "Bianchi Luca\t1\nVerdi Carlo"
            << "Line 2, column 1 of the pasted block (question 3, answer 2): \"Verdi Carlo\" is the subject who "
               "answers: nobody can choose themselves.";
        QTest::newRow("repeated classmate")
            << "Bianchi Luca\t1\n1"
            << "Line 2, column 1 of the pasted block (question 3, answer 2): \"1\" is also chosen in answer 3 of this "
               "question: nobody can be chosen twice in one question.";
        QTest::newRow("unknown") << "Bianchi Luca\tRossi Mario"
                                 << "Line 1, column 2 of the pasted block (question 2, answer 3): \"Rossi Mario\" "
                                    "is neither the number nor the name of a subject.";
    }
    void pasteBlock()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, error);
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Verdi", "Carlo"}});
        p.page->SubjSg->setCurrentCell(3, 1);
        p.test.desi.SetDesi(3, 3, 3, 1);
        p.page->Draw();
        p.page->DesiSg->setCurrentCell(2, 2);
        p.page->DesiSg->setFocus();
        const QByteArray before = p.test.file.ToBytes();
        QApplication::clipboard()->setText(clipboard);
        p.Key(Qt::Key_V, Qt::ControlModifier);
        if (!error.isEmpty())
        {
            QCOMPARE(p.errors, QStringList{error});
            QCOMPARE(p.test.file.ToBytes(), before);
            QCOMPARE(p.main.UndoStack()->count(), 0);
            return;
        }
        QVERIFY(p.errors.isEmpty());
        QCOMPARE(p.test.desi.GetDesi(2, 2, 3), 2);
        QCOMPARE(p.test.desi.GetDesi(2, 3, 3), 1);
        QCOMPARE(p.test.desi.GetDesi(3, 2, 1), 0);
        QCOMPARE(p.test.desi.GetDesi(3, 2, 3), 0);
        QCOMPARE(p.test.desi.GetDesi(3, 3, 3), 1);
        QCOMPARE(p.Cell(2, 2), QStringLiteral("Bianchi Luca"));
        QCOMPARE(p.Summary(3), QStringLiteral("3 of 15"));
        // One step for the whole block.
        QCOMPARE(p.main.UndoStack()->count(), 1);
        p.main.UndoStack()->undo();
        QCOMPARE(p.test.file.ToBytes(), before);

        // Shift and the arrows select a block; Ctrl+C copies it as a paste takes it.
        p.main.UndoStack()->redo();
        p.page->DesiSg->setCurrentCell(2, 2);
        p.Key(Qt::Key_Down, Qt::ShiftModifier);
        p.Key(Qt::Key_Right, Qt::ShiftModifier);
        p.Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Bianchi Luca\tRossi Anna\n\tRossi Anna\n"));
    }

    void comingBackStartsOnTheFirstAnswer()
    {
        DLanguage language{DLanguage::English};
        DTest test;
        TFormMain main{test, language};
        auto* page = new TFormDesi(test, language, main);
        TFormPages pages;
        pages.FormDesi = page;
        main.SetPages(pages);
        main.resize(900, 700);
        main.show();
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.PageControl->setCurrentWidget(main.DesiTs);
        page->DesiSg->setCurrentCell(4, 3);
        main.PageControl->setCurrentWidget(main.QuesTs);
        main.PageControl->setCurrentWidget(main.DesiTs);
        QCOMPARE(page->DesiSg->currentRow(), 1);
        QCOMPARE(page->DesiSg->currentColumn(), 1);
        QVERIFY(page->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(page->AppelCb->geometry(), page->DesiSg->visualItemRect(page->DesiSg->item(1, 1)));
    }

    // Both grids show their header row and number column in headers that
    // stay in place; they start from their own widths, and a width the user
    // dragged stays through redraws, also when another subject is selected.
    void headersAndColumnWidths()
    {
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}});
        QTableWidget* subj = p.page->SubjSg;
        QTableWidget* desi = p.page->DesiSg;
        for (QTableWidget* grid : {subj, desi})
        {
            QVERIFY(grid->isRowHidden(0) && grid->isColumnHidden(0));
            QVERIFY(grid->horizontalHeader()->isVisible() && grid->verticalHeader()->isVisible());
        }
        QCOMPARE(subj->horizontalHeaderItem(1)->text(), QStringLiteral("Surname"));
        QCOMPARE(subj->verticalHeaderItem(2)->text(), QStringLiteral("2"));
        QCOMPARE(desi->verticalHeaderItem(1)->text(), p.Cell(1, 0));
        QCOMPARE(subj->verticalHeader()->minimumWidth(), 30);
        for (int column = 1; column < subj->columnCount(); ++column)
            QCOMPARE(subj->columnWidth(column), (QList<int>{30, 100, 100, 60}.at(column)));
        // The arrows still walk the subjects.
        QTest::keyClick(subj, Qt::Key_Down);
        QCOMPARE(subj->currentRow(), 2);

        QCOMPARE(desi->columnWidth(2), 100);
        QHeaderView* header = desi->horizontalHeader();
        const int edge = header->sectionViewportPosition(3);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge - 1, 5));
        QTest::mouseMove(header->viewport(), QPoint(edge + 59, 5));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 59, 5));
        QCOMPARE(desi->columnWidth(2), 160);
        subj->setCurrentCell(1, 1);
        p.page->Draw();
        QCOMPARE(desi->columnWidth(2), 160);
        QCOMPARE(desi->columnWidth(3), 100);
    }

    void optionsDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("nameFirst");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("answers");
        QTest::addColumn<QStringList>("errors");
        const QString range =
            QStringLiteral("The number of responses for each question must be between \"1\" and \"10\"!");
        QTest::newRow("fewer answers") << QStringLiteral("2") << false << true << 2 << QStringList();
        QTest::newRow("more, name first") << QStringLiteral(" 10 ") << true << true << 10 << QStringList();
        QTest::newRow("too many, order kept") << QStringLiteral("11") << true << false << 3 << QStringList{range};
        QTest::newRow("not a number") << QStringLiteral("three") << false << false << 3 << QStringList{range};
    }
    void optionsDialog()
    {
        QFETCH(QString, typed);
        QFETCH(bool, nameFirst);
        QFETCH(bool, accepted);
        QFETCH(int, answers);
        QFETCH(QStringList, errors);
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}});
        p.Pick(2, 3, QStringLiteral("Bianchi Luca"));
        p.test.desi.SetDesi(1, 1, 1, 2);

        int shown = 0;
        int result = -1;
        p.page->SetDialogExec(
            [&](QDialog& dialog)
            {
                auto& options = static_cast<TFormDesiOpt&>(dialog);
                ++shown;
                options.FormShow();
                [&]
                {
                    QCOMPARE(options.windowTitle(), QStringLiteral("Answers options"));
                    QCOMPARE(options.AnswNumLe->text(), QStringLiteral("3"));
                    QVERIFY(options.SelSurNamRb->isChecked());
                }();
                options.AnswNumLe->setText(typed);
                (nameFirst ? options.SelNamSurRb : options.SelSurNamRb)->setChecked(true);
                options.OkBbClick();
                result = options.result();
                return result;
            });
        p.page->OptionsSbClick();
        QCOMPARE(shown, 1);
        QCOMPARE(result, accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(p.errors, errors);

        // The page follows both settings, whether or not the number failed.
        QCOMPARE(p.test.answ.num.GetValue(), answers);
        QCOMPARE(p.test.answ.subjSort.IsSurnameName(), !nameFirst);
        QCOMPARE(p.page->DesiSg->columnCount(), answers + 1);
        QCOMPARE(p.Cell(0, answers), QStringLiteral("Answer n.%1").arg(answers));
        const QString luca = nameFirst ? QStringLiteral("Luca Bianchi") : QStringLiteral("Bianchi Luca");
        const QString anna = nameFirst ? QStringLiteral("Anna Rossi") : QStringLiteral("Rossi Anna");
        QCOMPARE(p.Appels(), (QStringList{kNone, luca}));
        p.page->SubjSg->setCurrentCell(2, 1);
        QCOMPARE(p.Appels(), (QStringList{kNone, anna}));
        p.page->SubjSg->setCurrentCell(1, 1);
        QCOMPARE(p.Cell(1, 1), luca);
        QCOMPARE(p.Summary(1), QStringLiteral("%1 of %2").arg(answers >= 3 ? 2 : 1).arg(5 * answers));
        // The current answer cell stays within the grid, with its pick list on it.
        QVERIFY(p.page->DesiSg->currentColumn() >= 1 && p.page->DesiSg->currentColumn() <= answers);
        QVERIFY(p.page->AppelCb->isVisible());
    }

    void fewerAnswersAskFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("yes") << QMessageBox::Yes;
        QTest::newRow("no") << QMessageBox::No;
    }
    void fewerAnswersAskFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        Page p({{"Rossi", "Anna"}, {"Bianchi", "Luca"}});
        p.test.desi.SetDesi(1, 3, 2, 1);
        p.test.desi.SetDesi(2, 2, 1, 2);
        p.reply = answer;
        const QByteArray before = p.test.file.ToBytes();
        int result = -1;
        p.page->SetDialogExec(
            [&](QDialog& dialog)
            {
                auto& options = static_cast<TFormDesiOpt&>(dialog);
                options.FormShow();
                options.AnswNumLe->setText(QStringLiteral("1"));
                options.SelNamSurRb->setChecked(true);
                options.OkBbClick();
                result = options.result();
                return result;
            });
        p.page->OptionsSbClick();
        QCOMPARE(p.questions,
                 QStringList{"Lowering the number of answers per question from 3 to 1 removes 2 answers already "
                             "entered.\n\nDo you want to go on?"});
        // "No" keeps the dialog open and both settings as they were.
        QCOMPARE(result == QDialog::Accepted, answer == QMessageBox::Yes);
        if (answer == QMessageBox::Yes)
            QCOMPARE(p.test.answ.num.GetValue(), 1);
        else
            QCOMPARE(p.test.file.ToBytes(), before);
    }

    void cancelStoresNothing()
    {
        Page p;
        p.page->SetDialogExec(
            [](QDialog& dialog)
            {
                auto& options = static_cast<TFormDesiOpt&>(dialog);
                options.FormShow();
                options.AnswNumLe->setText(QStringLiteral("7"));
                options.SelNamSurRb->setChecked(true);
                options.CancelB->click();
                return options.result();
            });
        p.page->OptionsSbClick();
        QCOMPARE(p.test.answ.num.GetValue(), 3);
        QVERIFY(p.test.answ.subjSort.IsSurnameName());
        QVERIFY(!p.test.IsChangedByUser());
    }

    void italianTexts()
    {
        Page p;
        p.language.SetLanguage(DLanguage::Italian);
        p.page->ViewDesc();
        p.page->Draw();
        QCOMPARE(p.page->SubjSg->item(0, 1)->text(), QStringLiteral("Cognome"));
        QCOMPARE(p.Cell(1, 0), QStringLiteral("Domanda n°1"));
        QCOMPARE(p.Cell(1, 1), QStringLiteral("No"));
        QCOMPARE(p.Summary(1), QStringLiteral("0 di 15"));
        QCOMPARE(p.page->OptionsSb->toolTip(), QStringLiteral("Modifica le opzioni delle risposte"));
        QVERIFY(p.page->DesiSg->toolTip().startsWith(QStringLiteral("Digitare un numero")));
    }
};

KC_TEST_MAIN(TestTFormDesi)
#include "test_TFormDesi.moc"
