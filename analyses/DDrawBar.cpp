#include "analyses/DDrawBar.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphBar.h"
#include "analyses/DPicture.h"
#include "analyses/DSubjElemBar.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjList.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

DDrawBar::DDrawBar(DGraphBar& bar) : bar_(bar)
{
}

QSize DDrawBar::Extent(qint32 subjects, quint32 largest, qint32 divisor)
{
    const qint64 width = qint64(kStep) * subjects + 60;
    const qint64 height = std::max<qint64>(94 + (qint64(30) * largest) / std::max(divisor, 1), 250);
    return QSize(int(width), int(height));
}

std::array<DDrawBar::MarginLabel, 3> DDrawBar::MarginLabels(int height)
{
    const int middle = height / 2;
    return {{{17020, middle + 22, middle - 22}, {17030, middle - 24, 0}, {17040, height, middle + 24}}};
}

QPoint DDrawBar::MarginTextOrigin(const MarginLabel& label, int textHeight, int textWidth)
{
    return QPoint((kMargin - textHeight) / 2, label.lower - ((label.lower - label.upper) - textWidth) / 2);
}

void DDrawBar::PaintMargin(int height)
{
    QPainter& p = *painter_;
    const QFontMetrics metrics(p.font(), p.device());
    for (const MarginLabel& label : MarginLabels(height))
    {
        const QString text = DLanguage::Active().GetStr(label.id);
        const int width = metrics.horizontalAdvance(text);
        const QPoint origin = MarginTextOrigin(label, textHeight_, width);
        // Turned a quarter counter-clockwise about the start: the text runs
        // upwards from the origin with the tops of its letters to the left.
        p.save();
        p.translate(origin);
        p.rotate(-90);
        p.drawText(QRect(0, 0, width, textHeight_), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        p.restore();
    }
}

QSize DDrawBar::Layout(DSubjList& subjects)
{
    return EError::Guard("DDrawBar::Paint()",
                         [&]
                         {
                             bar_.Graph().Desi().Verify();
                             bar_.Prepare(subjects);

                             const std::vector<DGraphListSubj>& entries = bar_.Graph().Subjects();
                             quint32 largest = 0;
                             for (const DGraphListSubj& entry : entries)
                                 largest = std::max({largest, entry.Subj().acceptanceReceived.Get(),
                                                     entry.Subj().rejectionReceived.Get()});
                             divisor_ = bar_.scale.GetDivisor();
                             return Extent(qint32(entries.size()), largest, divisor_) + QSize(1, 1);
                         });
}

void DDrawBar::PaintOn(QPainter& p, QSize size)
{
    try
    {
        EError::Guard("DDrawBar::Paint()",
                      [&]
                      {
                          const int w = size.width() - 1;
                          const int h = size.height() - 1;
                          painter_ = &p;
                          DPicture::PrepareOutlines(p);
                          SetFill(Qt::white);
                          const QFont font = DPicture::Font(8);
                          p.setFont(font);
                          textHeight_ = DPicture::LineHeight(font);

                          p.drawRect(QRect(0, 0, w, h));
                          // The axis stops short of its end point.
                          p.drawLine(kMargin, 15, kMargin, h - 16);
                          PaintMargin(h);

                          y_ = h / 2;
                          x_ = 0;
                          for (const DGraphListSubj& entry : bar_.Graph().Subjects())
                          {
                              x_ += kStep;
                              DSubjElemBar subject(*this, entry.Subj());
                              subject.Draw();
                              subject.DrawAccept();
                              subject.DrawReject();
                          }
                          painter_ = nullptr;
                      });
    }
    catch (...)
    {
        painter_ = nullptr;
        throw;
    }
}

void DDrawBar::Paint(DSubjList& subjects, QImage& picture)
{
    try
    {
        const QSize size = Layout(subjects);
        // A new picture is already white: the drawing rectangle needs no
        // second fill.
        picture =
            EError::Guard("DDrawBar::Paint()", [&] { return DPicture::MakeChecked(size.width(), size.height()); });
        QPainter p(&picture);
        PaintOn(p, size);
    }
    catch (...)
    {
        picture.fill(Qt::white);
        throw;
    }
}
