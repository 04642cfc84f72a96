#include "analyses/DPalette.h"

#include "lang/DRegistry.h"

#include <QString>

namespace
{
const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("SafeColours");

bool safe = false;
} // namespace

DPalette DPalette::Standard()
{
    return {QColor(0, 128, 0),
            QColor(255, 0, 0),
            QColor(0, 255, 0),
            QColor(255, 0, 0),
            QColor(255, 192, 203),
            QColor(175, 238, 238),
            false};
}

DPalette DPalette::Safe()
{
    // Blue #0072B2 and orange #E69F00 of the Okabe-Ito set; the bars take
    // lighter tints of the same hues so that their labels stay readable.
    return {QColor(0, 114, 178),
            QColor(230, 159, 0),
            QColor(86, 180, 233),
            QColor(230, 159, 0),
            QColor(250, 232, 150),
            QColor(170, 210, 240),
            true};
}

const DPalette& DPalette::Active()
{
    static const DPalette standard = Standard();
    static const DPalette safePalette = Safe();
    return safe ? safePalette : standard;
}

bool DPalette::IsSafe()
{
    return safe;
}

void DPalette::Use(bool isSafe)
{
    safe = isSafe;
}

void DPalette::Load()
{
    DRegistry registry;
    safe = registry.ReadInt(kSection, kKey, 0) == 1;
}

void DPalette::Save()
{
    DRegistry registry;
    registry.WriteInt(kSection, kKey, safe ? 1 : 0);
}

QColor DPalette::Group(int k)
{
    static const QColor tints[] = {{255, 214, 153}, {179, 222, 245}, {153, 222, 196}, {250, 242, 161}, {230, 190, 215},
                                   {242, 176, 140}, {200, 200, 200}, {140, 190, 230}, {215, 235, 170}, {255, 240, 220}};
    constexpr int n = int(sizeof tints / sizeof tints[0]);
    return tints[((k % n) + n) % n];
}

Qt::PenStyle DPalette::RejectionStyle(Qt::PenStyle rankStyle) const
{
    if (!dashedRejections)
        return rankStyle;
    return rankStyle == Qt::DotLine ? Qt::DashDotLine : Qt::DashLine;
}
