#pragma once

#include <QRect>
#include <QtGlobal>

#include <array>

class DBarCanvas;
class DSubjElem;
class QColor;
class QPainter;

// One subject of the bar graph, drawn at the painter's cursor: its box on the
// middle line, its acceptance bar above and its rejection bar below.
//
// Rectangles are given as QRect(left, top, right - left, bottom - top): a
// filled or text rectangle covers columns left..right-1, while an outline
// through the same four edges also paints column right and row bottom.
class DSubjElemBar
{
public:
    DSubjElemBar(DBarCanvas& draw, const DSubjElem& subject);

    void Draw();
    // Nothing is drawn for a count of 0.
    void DrawAccept();
    void DrawReject();

    // Geometry at cursor x and middle line y.
    static QRect Box(int x, int y);
    // Identifier, surname and name lines of the box.
    static std::array<QRect, 3> BoxTexts(int x, int y);
    static QRect AcceptBar(int x, int y, quint32 count, qint32 divisor);
    static QRect RejectBar(int x, int y, quint32 count, qint32 divisor);
    // A bar no higher than the text puts its label just outside its free end.
    static QRect AcceptLabel(const QRect& bar, int textHeight);
    static QRect RejectLabel(const QRect& bar, int textHeight);

    static constexpr int kWidth = 30;

private:
    // The outline through the rectangle's edges, then, when asked, its
    // interior in the fill colour.
    void Outline(const QRect& edges);
    void FillInside(const QRect& edges);
    void Label(const QRect& rect, const QString& text);
    // Outline, fill and count of one bar; the label goes where the caller
    // placed it for the bar's free end.
    void PaintBar(const QRect& bar, const QColor& fill, const QRect& label, quint32 count);

    DBarCanvas& draw_;
    const DSubjElem& subject_;
};
