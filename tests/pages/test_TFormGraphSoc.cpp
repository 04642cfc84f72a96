#include "analyses/DGraph.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormHost.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraphSoc.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUndoStack>

namespace
{
// A window with a history of changes and nothing else.
class HistoryHost final : public TFormHost
{
public:
    int CellHeight() const override { return 20; }
    QString AskOpenPath() override { return {}; }
    QList<TFormPage*> PageList() const override { return {}; }
    void ViewDesc() override {}
    QWidget* HostWindow() override { return nullptr; }
    QUndoStack* UndoStack() override { return &stack; }
    QUndoStack stack;
};

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kTurquoise = qRgb(175, 238, 238);

// The sociogram page over its own test, shown (an analysis page draws only
// while it is visible), with error boxes collected.
struct Page
{
    DLanguage language{DLanguage::English};
    DTest test;
    TFormGraphSoc page{test, language};
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;

    Page()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        // Squares make the hit test and the pixels below plain to predict.
        for (DSubjElem& s : test.subj.List().Get())
            s.sex.SetValue(1, false);
        page.resize(1100, 800);
        page.show();
    }
    DSubjElem& Subject(int id) { return test.subj.List().Get()[std::size_t(id - 1)]; }
    DGraphSoc& Soc() { return test.graph.soc; }
    QWidget* Image() { return page.Image; }
    const QImage& Picture() const { return page.Image->Picture(); }
    QRgb At(int x, int y) const { return Picture().pixel(x, y) | 0xFF000000u; }
    bool Selected(int id) { return Soc().Sel().ThereIs() && Soc().Sel().Get().id.GetValue() == id; }
    // A move without a button held. QTest moves the cursor for it, which
    // sends nothing when the cursor is already there; hovering must see
    // every move, so the event goes to the picture directly.
    void Move(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(Image()->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(Image(), &move);
    }
    void Drag(QPoint from, const QList<QPoint>& path)
    {
        Move(from);
        QTest::mousePress(Image(), Qt::LeftButton, {}, from);
        for (const QPoint& p : path)
            QTest::mouseMove(Image(), p);
        QTest::mouseRelease(Image(), Qt::LeftButton, {}, path.isEmpty() ? from : path.last());
    }
    // Any pixel of the colour in the square of the given half size around a point.
    bool Near(QPoint p, int half, QRgb colour) const
    {
        for (int y = p.y() - half; y <= p.y() + half; ++y)
            for (int x = p.x() - half; x <= p.x() + half; ++x)
                if (At(x, y) == colour)
                    return true;
        return false;
    }
};
} // namespace

class TestTFormGraphSoc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hoverSelectsAndLeaves();
    void hoverChangesRepaintLikeAFullDrawing_data();
    void hoverChangesRepaintLikeAFullDrawing();
    void dragMovesAndMarksTheSubject();
    void dragLeavesNoTrail();
    void dragIsOneStep();
    void dragStaysInsideTheArea_data();
    void dragStaysInsideTheArea();
    void onlyTheLeftButtonDrags();
    void hitTestAndOverlap_data();
    void hitTestAndOverlap();
    void elasticConnectionsWhileMoving_data();
    void elasticConnectionsWhileMoving();
    void pictureSize_data();
    void pictureSize();
    void optionsAreUserChanges();
    void selfChoiceShowsErrorAndWhitePicture();
    void resizedSubjectListIsNotWalked();
    void copiesPictureToClipboard();
    void pinsStayWhenArranging();
    void pinAndArrangementAreSteps();
    void ringsGoWithTheirArrangement();
    void clickPutsTiesInFocus();
    void drawingOptionIsAStep();
};

void TestTFormGraphSoc::hoverSelectsAndLeaves()
{
    Page f;
    f.page.Draw();
    QCOMPARE(f.Picture().width(), 802);
    QCOMPARE(f.At(144 - 20, 48 - 20), kTurquoise); // subject 2 in its grid cell

    f.Move({150, 50});
    QVERIFY(f.Selected(2));
    QCOMPARE(f.At(144 - 24, 48), kGrey);                                         // the outline on the picture
    QCOMPARE(f.Soc().Bitmap().pixel(144 - 24, 48) | 0xFF000000u, qRgb(0, 0, 0)); // not on the background

    f.Move({140, 44}); // still on it
    QVERIFY(f.Selected(2));
    f.Move({400, 400}); // off every subject
    QVERIFY(!f.Soc().Sel().ThereIs());
    QCOMPARE(f.At(144 - 24, 48), qRgb(0, 0, 0)); // back in the background, no outline
    QCOMPARE(f.Soc().Bitmap().pixel(144 - 20, 48 - 20) | 0xFF000000u, kTurquoise);
    QVERIFY(!f.test.IsChangedByUser()); // hovering moves nothing
    QVERIFY(f.errors.isEmpty());
}

void TestTFormGraphSoc::hoverChangesRepaintLikeAFullDrawing_data()
{
    QTest::addColumn<int>("elas");
    QTest::addColumn<int>("look");
    QTest::newRow("complete") << 0 << 0;
    QTest::newRow("elastic") << 1 << 0;
    QTest::newRow("names above lines, no corners") << 0 << 3;
}

// A hover change repaints only what the overlays cover; the picture must
// still be the one a full drawing gives for the same selection, with lines
// that cross each other and boxes that overlap.
void TestTFormGraphSoc::hoverChangesRepaintLikeAFullDrawing()
{
    QFETCH(int, elas);
    QFETCH(int, look);
    Page f;
    f.Soc().elas.SetValue(elas, false);
    f.Soc().look = DGraphSocLook::FromFlags(quint8(look));
    const int choices[][3] = {{1, 1, 9}, {1, 2, 5}, {2, 1, 4}, {2, 2, 8}, {3, 1, 7}, {3, 2, 1},
                              {4, 1, 2}, {6, 1, 3}, {7, 1, 5}, {8, 1, 2}, {9, 1, 1}, {10, 1, 6}};
    for (const auto& c : choices)
        f.test.desi.SetDesi(1, c[1], c[0], c[2]);
    f.Subject(5).soci.acceptance.Set(false, 170, 70); // over subject 2 and its lines
    f.Subject(3).sex.SetFemale();
    f.page.Draw();
    const QImage plain = f.Picture().copy();

    const QPoint centres[] = {{144, 48}, {170, 70}, {240, 48}, {48, 144}, {144, 144}};
    for (const QPoint& p : centres)
        f.Move(p);
    QVERIFY(f.Selected(10));
    const QImage hovered = f.Picture().copy();
    f.page.Draw();
    QCOMPARE(hovered, f.Picture());

    f.Move({400, 400});
    QVERIFY(!f.Soc().Sel().ThereIs());
    QCOMPARE(f.Picture(), plain);
    QVERIFY(f.errors.isEmpty());
}

void TestTFormGraphSoc::dragMovesAndMarksTheSubject()
{
    Page f;
    f.test.desi.SetDesi(1, 1, 1, 2); // subject 1 chooses subject 2
    f.page.Draw();
    QVERIFY(!f.test.subj.IsChangedByUser());

    // Grabbed 6 right and 2 below its centre, the box keeps that offset.
    f.Drag({150, 50}, {{200, 120}, {306, 202}});
    QCOMPARE(f.Subject(2).soci.acceptance.Get(), QPoint(300, 200));
    QVERIFY(f.Subject(2).soci.acceptance.IsChangedByUser());
    QVERIFY(f.test.subj.IsChangedByUser());
    QVERIFY(f.test.IsChangedByUser());
    QCOMPARE(f.Subject(2).soci.rejection.Get(), QPoint(0, 0)); // the other type's place stays
    QVERIFY(!f.Soc().Sel().IsMoving());
    QVERIFY(f.Selected(2)); // released on it: still selected

    QCOMPARE(f.At(144 - 20, 48 - 20), kWhite); // gone from its old place
    QCOMPARE(f.At(300 - 20, 200 - 20), kTurquoise);
    QVERIFY(f.Near({174, 124}, 3, kGreen)); // the connection follows

    // Leaving it puts it into the background at its new place.
    f.Move({600, 450});
    QVERIFY(!f.Soc().Sel().ThereIs());
    QCOMPARE(f.Soc().Bitmap().pixel(300 - 20, 200 - 20) | 0xFF000000u, kTurquoise);
    QVERIFY(f.Near({174, 124}, 3, kGreen));
    QVERIFY(f.errors.isEmpty());
}

void TestTFormGraphSoc::dragIsOneStep()
{
    Page f;
    HistoryHost host;
    f.page.SetHost(&host);
    f.page.Draw();
    const QByteArray before = f.test.file.ToBytes();

    // A press and release without a move is no step.
    f.Drag({150, 50}, {});
    QCOMPARE(host.stack.count(), 0);

    f.Drag({150, 50}, {{200, 120}, {250, 160}, {306, 202}});
    QCOMPARE(host.stack.count(), 1);
    QCOMPARE(host.stack.undoText(), QStringLiteral("move of 2 in the sociogram"));
    const QByteArray after = f.test.file.ToBytes();
    host.stack.undo();
    QCOMPARE(f.Subject(2).soci.acceptance.Get(), QPoint(144, 48));
    QCOMPARE(f.test.file.ToBytes(), before);
    f.page.Draw();
    QCOMPARE(f.At(144 - 20, 48 - 20), kTurquoise);
    host.stack.redo();
    QCOMPARE(f.test.file.ToBytes(), after);
    QVERIFY(f.errors.isEmpty());
}

void TestTFormGraphSoc::dragLeavesNoTrail()
{
    // A drag only repairs what the previous move drew over; the result must
    // be the picture a full drawing gives for the same selection.
    Page f;
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.test.desi.SetDesi(1, 1, 2, 10);
    f.test.desi.SetDesi(1, 2, 2, 8);
    f.test.desi.SetDesi(1, 1, 8, 2);
    f.page.Draw();
    QList<QPoint> path;
    for (int k = 1; k <= 12; ++k)
        path << QPoint(144 + 53 * k, 48 + 37 * k);
    path << QPoint(20, 590) << QPoint(790, 20) << QPoint(400, 300);
    f.Drag({144, 48}, path);
    QCOMPARE(f.Subject(2).soci.acceptance.Get(), QPoint(400, 300));

    const QImage dragged = f.Picture().copy();
    f.page.Draw();
    QVERIFY(f.Selected(2));
    QCOMPARE(dragged, f.Picture());
    QCOMPARE(f.At(400 - 24, 300), kGrey); // the full drawing shows the selection too
}

void TestTFormGraphSoc::dragStaysInsideTheArea_data()
{
    QTest::addColumn<int>("subjDim");
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("large, left and top") << 0 << QPoint(-40, 5) << QPoint(27, 27);
    QTest::newRow("large, right and bottom") << 0 << QPoint(900, 700) << QPoint(774, 574);
    QTest::newRow("small, left and bottom") << 1 << QPoint(0, 650) << QPoint(21, 580);
    QTest::newRow("inside") << 0 << QPoint(27, 574) << QPoint(27, 574);
}

void TestTFormGraphSoc::dragStaysInsideTheArea()
{
    QFETCH(int, subjDim);
    QFETCH(QPoint, target);
    QFETCH(QPoint, expected);
    Page f;
    f.Soc().subjDim.SetValue(subjDim, false);
    f.page.Draw();
    const QPoint start = f.Subject(1).soci.acceptance.Get();
    f.Drag(start, {target});
    QCOMPARE(f.Subject(1).soci.acceptance.Get(), expected);
    f.Move({400, 300});
    f.page.Draw(); // kept by the next full drawing
    QCOMPARE(f.Subject(1).soci.acceptance.Get(), expected);
}

void TestTFormGraphSoc::onlyTheLeftButtonDrags()
{
    Page f;
    f.page.Draw();
    f.Move({48, 48});
    QTest::mousePress(f.Image(), Qt::RightButton, {}, {48, 48});
    QVERIFY(!f.Soc().Sel().IsMoving());
    QTest::mouseMove(f.Image(), {300, 300});
    QTest::mouseRelease(f.Image(), Qt::RightButton, {}, {300, 300});
    QCOMPARE(f.Subject(1).soci.acceptance.Get(), QPoint(48, 48));
    QVERIFY(!f.test.IsChangedByUser());

    // Pressing beside the selected subject starts nothing either.
    f.Move({48, 48});
    QTest::mousePress(f.Image(), Qt::LeftButton, {}, {100, 48});
    QVERIFY(!f.Soc().Sel().IsMoving());
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, {100, 48});

    // Released away from every subject: the drag ends there, and the next
    // move finds the mouse off it.
    f.Move({48, 48});
    QTest::mousePress(f.Image(), Qt::LeftButton, {}, {48, 48});
    QVERIFY(f.Soc().Sel().IsMoving());
    QTest::mouseMove(f.Image(), {460, 48});
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, {600, 400});
    QVERIFY(!f.Soc().Sel().IsMoving());
    QVERIFY(f.Selected(1));
    QCOMPARE(f.Subject(1).soci.acceptance.Get(), QPoint(460, 48));
    f.Move({600, 401});
    QVERIFY(!f.Soc().Sel().ThereIs());
}

void TestTFormGraphSoc::hitTestAndOverlap_data()
{
    QTest::addColumn<QPoint>("mouse");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("topmost");
    // Subject 1 a square at (100, 100), subject 2 a square at (130, 100)
    // overlapping it, subject 3 a circle at (300, 300).
    QTest::newRow("overlap takes the earlier") << QPoint(115, 100) << 1 << false;
    QTest::newRow("overlap takes the one on top") << QPoint(115, 100) << 2 << true;
    QTest::newRow("on top, beside the later") << QPoint(80, 100) << 1 << true;
    QTest::newRow("square corner") << QPoint(124, 124) << 1 << false;
    QTest::newRow("only the later") << QPoint(150, 100) << 2 << false;
    QTest::newRow("circle edge") << QPoint(324, 300) << 3 << false;
    QTest::newRow("circle corner is off") << QPoint(320, 320) << 0 << false;
    QTest::newRow("beside the square") << QPoint(100, 125) << 0 << false;
}

void TestTFormGraphSoc::hitTestAndOverlap()
{
    QFETCH(QPoint, mouse);
    QFETCH(int, selected);
    QFETCH(bool, topmost);
    Page f;
    f.Soc().look.topmostPick = topmost;
    f.Subject(1).soci.acceptance.Set(false, 100, 100);
    f.Subject(2).soci.acceptance.Set(false, 130, 100);
    f.Subject(3).sex.SetFemale();
    f.Subject(3).soci.acceptance.Set(false, 300, 300);
    f.page.Draw();
    f.Move(mouse);
    if (selected)
        QVERIFY(f.Selected(selected));
    else
        QVERIFY(!f.Soc().Sel().ThereIs());
}

void TestTFormGraphSoc::elasticConnectionsWhileMoving_data()
{
    QTest::addColumn<int>("elas");
    QTest::addColumn<QRgb>("insideChosenBox");
    QTest::newRow("complete: the line ends at the box") << 0 << kTurquoise;
    QTest::newRow("elastic: centre to centre") << 1 << kGreen;
}

void TestTFormGraphSoc::elasticConnectionsWhileMoving()
{
    QFETCH(int, elas);
    QFETCH(QRgb, insideChosenBox);
    Page f;
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.page.Draw();
    const QImage before = f.Picture().copy();

    // The mode is stored with the test (a change once it differs), and
    // choosing it needs no redraw.
    f.page.OptElasCb->setCurrentIndex(elas);
    Q_EMIT f.page.OptElasCb->activated(elas);
    QCOMPARE(f.Soc().elas.GetValue(), elas);
    QCOMPARE(f.test.graph.IsChangedByUser(), elas != 0);
    QCOMPARE(f.Picture(), before);

    // Subject 1 dragged below subject 2: the connection runs straight up into
    // subject 2's box at (144, 48).
    f.Move({48, 48});
    QTest::mousePress(f.Image(), Qt::LeftButton, {}, {48, 48});
    QTest::mouseMove(f.Image(), {144, 300});
    QCOMPARE(f.At(144, 60), insideChosenBox);
    QVERIFY(f.Near({144, 200}, 2, kGreen));
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, {144, 300});
}

void TestTFormGraphSoc::pictureSize_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("size"); // drawing area; empty when refused
    QTest::newRow("accepted") << "1000"
                              << "700" << QSize(1000, 700);
    QTest::newRow("bounds") << "400"
                            << "4000" << QSize(400, 4000);
    QTest::newRow("width too small") << "399"
                                     << "700" << QSize();
    QTest::newRow("height too large") << "1000"
                                      << "4001" << QSize();
    QTest::newRow("not a number") << "abc"
                                  << "700" << QSize();
}

void TestTFormGraphSoc::pictureSize()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, size);
    Page f;
    f.page.Draw();
    const QSize before = f.Picture().size();
    f.page.OptDimXLe->setText(width);
    f.page.OptDimYLe->setText(height);
    f.page.OptDimBt->click();
    const int th = f.Soc().TextHeight();
    if (size.isValid())
    {
        QVERIFY(f.errors.isEmpty());
        QCOMPARE(f.Picture().size(), QSize(size.width() + 2, size.height() + 6 + 5 * th));
        QCOMPARE(f.page.Image->size(), f.Picture().size());
        QVERIFY(f.test.IsChangedByUser());
    }
    else
    {
        QCOMPARE(f.errors, QStringList{QStringLiteral("The dimension must be between \"400\" and \"4000\"!")});
        QCOMPARE(f.Picture().size(), before); // not redrawn
    }
}

void TestTFormGraphSoc::optionsAreUserChanges()
{
    Page f;
    f.test.ques.List().GetSelected(1).type.SetValue(0, false); // question 2 negative
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.page.Draw();
    QCOMPARE(f.page.OptQuesLb->count(), 4); // the positive questions
    QVERIFY(f.Near({96, 48}, 3, kGreen));

    // Leaving question 1 out takes its connection away.
    f.page.OptQuesLb->item(0)->setCheckState(Qt::Unchecked);
    QVERIFY(f.test.IsChangedByUser());
    QVERIFY(!f.Near({96, 48}, 3, kGreen));
    QCOMPARE(f.page.OptQuesLb->count(), 4);

    f.page.OptTypeCb->setCurrentIndex(1);
    Q_EMIT f.page.OptTypeCb->activated(1);
    QVERIFY(!f.Soc().type.IsPositive());
    QCOMPARE(f.page.OptQuesLb->count(), 1);                      // the negative question
    QCOMPARE(f.Subject(1).soci.rejection.Get(), QPoint(48, 48)); // placed for the rejection sociogram

    f.page.OptSubjDimCb->setCurrentIndex(1);
    Q_EMIT f.page.OptSubjDimCb->activated(1);
    QVERIFY(!f.Soc().subjDim.IsLarge());
    QVERIFY(f.Soc().IsChangedByUser());
    QVERIFY(f.errors.isEmpty());

    QVERIFY(!f.page.OptPn->isVisible());
    f.page.OptSb->click();
    QVERIFY(f.page.OptPn->isVisible());
    f.page.OptSb->click();
    QVERIFY(!f.page.OptPn->isVisible());
}

void TestTFormGraphSoc::selfChoiceShowsErrorAndWhitePicture()
{
    Page f;
    f.test.desi.SetDesi(1, 1, 3, 3);
    f.page.Draw();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY2(f.errors.at(0).contains(QLatin1Char('3')), qPrintable(f.errors.at(0)));
    QCOMPARE(f.At(48, 48), kWhite);
    f.Move({48, 48}); // nothing to select on a white picture
    QVERIFY(!f.Soc().Sel().ThereIs());
    QCOMPARE(f.errors.size(), 1);
}

void TestTFormGraphSoc::resizedSubjectListIsNotWalked()
{
    // The sociogram's lists point into the subject records: after the list
    // was resized the mouse must not reach them before the next drawing.
    Page f;
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.page.Draw();
    f.Move({144, 48});
    QVERIFY(f.Selected(2));
    f.test.subj.List().SetSize(100, false);
    f.Move({48, 48});
    QTest::mousePress(f.Image(), Qt::LeftButton, {}, {48, 48});
    QTest::mouseMove(f.Image(), {300, 300});
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, {300, 300});
    QVERIFY(f.errors.isEmpty());
    QVERIFY(!f.Subject(1).soci.IsChangedByUser()); // nothing was dragged

    f.page.Draw();
    QVERIFY(f.Selected(2)); // found again by its identifier
    f.Move({48, 48});
    QVERIFY(f.Selected(1));
    QVERIFY(f.errors.isEmpty());
}

void TestTFormGraphSoc::copiesPictureToClipboard()
{
    Page f;
    f.page.Draw();
    f.page.ClipExpSb->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), f.Picture().size());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), f.Picture());
}

// A double click pins a box, marked on the screen but not in the copy;
// Arrange moves the others and leaves it; a second double click unpins it.
void TestTFormGraphSoc::pinsStayWhenArranging()
{
    Page f;
    BuildClassTest(f.test);
    for (DSubjElem& s : f.test.subj.List().Get())
        s.sex.SetValue(1, false);
    f.page.Draw();
    const QPoint p = f.Soc().SubjOrigGet(f.Subject(5));
    const QPoint mark = p + QPoint(f.Soc().subjDim.Get() / 2 - 6, -f.Soc().subjDim.Get() / 2 + 5);
    QCOMPARE(f.At(mark.x(), mark.y()), kTurquoise);

    QTest::mouseDClick(f.Image(), Qt::LeftButton, {}, p);
    QVERIFY(f.test.Pins().Is(true, 5));
    QVERIFY(f.test.IsChangedByUser());
    QCOMPARE(f.At(mark.x(), mark.y()), qRgb(0, 0, 0));
    f.page.ClipExpSb->click();
    QCOMPARE(QGuiApplication::clipboard()->image().pixel(mark) | 0xFF000000u, kTurquoise);
    QCOMPARE(f.At(mark.x(), mark.y()), qRgb(0, 0, 0));

    std::vector<QPoint> before;
    for (const DSubjElem& s : f.test.subj.List().Get())
        before.push_back(s.soci.acceptance.Get());
    f.page.OptSb->click();
    QTest::mouseClick(f.page.OptArrTiesBt, Qt::LeftButton);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    int moved = 0;
    for (int id = 1; id <= 24; ++id)
        moved += f.Subject(id).soci.acceptance.Get() != before[std::size_t(id - 1)];
    QCOMPARE(f.Soc().SubjOrigGet(f.Subject(5)), p);
    QVERIFY(moved > 12);
    QCOMPARE(f.At(mark.x(), mark.y()), qRgb(0, 0, 0));

    QTest::mouseDClick(f.Image(), Qt::LeftButton, {}, p);
    QVERIFY(f.test.Pins().IsEmpty());
    QCOMPARE(f.At(mark.x(), mark.y()), kTurquoise);

    // The context menu offers pinning over a box only.
    auto menuAt = [&](QPoint at)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.Image()->mapToGlobal(at));
        QCoreApplication::sendEvent(f.Image(), &event);
        f.page.PinPm->close();
    };
    menuAt(QPoint(2, 2));
    QVERIFY(!f.page.PinAc->isVisible());
    menuAt(p);
    QVERIFY(f.page.PinAc->isVisible());
    QCOMPARE(f.page.PinAc->text(), QStringLiteral("Pin"));
    f.page.PinAc->trigger();
    QVERIFY(f.test.Pins().Is(true, 5));
    menuAt(p);
    QCOMPARE(f.page.PinAc->text(), QStringLiteral("Unpin"));
}

// A pin and an arrangement are one step each, undone and redone to the byte.
void TestTFormGraphSoc::pinAndArrangementAreSteps()
{
    Page f;
    HistoryHost host;
    f.page.SetHost(&host);
    BuildClassTest(f.test);
    f.page.Draw();
    const QByteArray start = f.test.file.ToBytes();

    QTest::mouseDClick(f.Image(), Qt::LeftButton, {}, f.Soc().SubjOrigGet(f.Subject(5)));
    QCOMPARE(host.stack.count(), 1);
    QCOMPARE(host.stack.undoText(), QStringLiteral("pins of the sociogram"));
    const QByteArray pinned = f.test.file.ToBytes();

    f.page.OptSb->click();
    QTest::mouseClick(f.page.OptArrTiesBt, Qt::LeftButton);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(host.stack.count(), 2);
    QCOMPARE(host.stack.undoText(), QStringLiteral("arrangement of the sociogram"));
    const QByteArray arranged = f.test.file.ToBytes();
    QVERIFY(arranged != pinned);

    host.stack.undo();
    QCOMPARE(f.test.file.ToBytes(), pinned);
    host.stack.undo();
    QCOMPARE(f.test.file.ToBytes(), start);
    QVERIFY(f.test.Pins().IsEmpty());
    host.stack.redo();
    host.stack.redo();
    QCOMPARE(f.test.file.ToBytes(), arranged);
    QVERIFY(f.test.Pins().Is(true, 5));
}

// Arranged in rings, the sociogram shows its rings; undone, the rings go
// with the boxes' places, and by the ties there are none.
void TestTFormGraphSoc::ringsGoWithTheirArrangement()
{
    Page f;
    HistoryHost host;
    f.page.SetHost(&host);
    BuildClassTest(f.test);
    f.page.Draw();
    const QByteArray start = f.test.file.ToBytes();

    f.page.OptSb->click();
    QTest::mouseClick(f.page.OptArrRingsBt, Qt::LeftButton);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QVERIFY(f.Soc().rings.Of(true).count >= 2);
    const QByteArray inRings = f.test.file.ToBytes();
    host.stack.undo();
    QVERIFY(f.Soc().rings.Of(true).IsEmpty());
    QCOMPARE(f.test.file.ToBytes(), start);
    host.stack.redo();
    QCOMPARE(f.test.file.ToBytes(), inRings);

    QTest::mouseClick(f.page.OptArrTiesBt, Qt::LeftButton);
    QVERIFY(f.Soc().rings.Of(true).IsEmpty());
    host.stack.undo();
    QCOMPARE(f.test.file.ToBytes(), inRings);
}

// A click on a box without a drag dims every line but its own; a click on
// the background ends that. The copy carries no dimming.
void TestTFormGraphSoc::clickPutsTiesInFocus()
{
    Page f;
    HistoryHost host;
    f.page.SetHost(&host);
    f.test.desi.SetDesi(1, 1, 1, 2);  // along the top row
    f.test.desi.SetDesi(1, 1, 9, 10); // elsewhere
    f.page.Draw();
    const QImage plain = f.Picture().copy();
    const QByteArray file = f.test.file.ToBytes();
    const QPoint other = f.Soc().SubjOrigGet(f.Subject(9)) + QPoint(40, 0);
    QCOMPARE(f.At(96, 48), kGreen);
    QCOMPARE(f.At(other.x(), other.y()), kGreen);

    f.Drag({48, 48}, {});
    QCOMPARE(f.Soc().focus, 1);
    QCOMPARE(f.At(96, 48), kGreen);
    QVERIFY(f.At(other.x(), other.y()) != kGreen);
    QCOMPARE(host.stack.count(), 0); // a way of looking, not a change
    QCOMPARE(f.test.file.ToBytes(), file);
    f.page.ClipExpSb->click();
    QCOMPARE(QGuiApplication::clipboard()->image().pixel(other) | 0xFF000000u, kGreen);

    f.Move({400, 400});
    QTest::mouseClick(f.Image(), Qt::LeftButton, {}, {400, 400});
    QCOMPARE(f.Soc().focus, 0);
    QCOMPARE(f.Picture(), plain);
    QVERIFY(f.errors.isEmpty());
}

// A drawing option is stored with the test as one step of the history.
void TestTFormGraphSoc::drawingOptionIsAStep()
{
    Page f;
    HistoryHost host;
    f.page.SetHost(&host);
    f.page.Draw();
    const QByteArray before = f.test.file.ToBytes();
    f.page.OptSb->click();
    QTest::mouseClick(f.page.OptNamesAboveCb, Qt::LeftButton);
    QVERIFY(f.Soc().look.namesAbove);
    QCOMPARE(host.stack.count(), 1);
    QVERIFY(f.test.IsChangedByUser());
    host.stack.undo();
    QVERIFY(!f.Soc().look.namesAbove);
    QCOMPARE(f.test.file.ToBytes(), before);
    host.stack.redo();
    QVERIFY(f.Soc().look.namesAbove);
    QVERIFY(f.errors.isEmpty());
}

KC_TEST_MAIN(TestTFormGraphSoc)
#include "test_TFormGraphSoc.moc"
