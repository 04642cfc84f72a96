#include "analyses/DGraphTarCriteria.h"

#include "analyses/DGraphTar.h"
#include "analyses/DGraphTarStat.h"
#include "lang/DLanguage.h"

#include <span>
#include <utility>

namespace
{
struct Rule
{
    int slot;
    int condition;
};

// Rules in the order they are tried, each with its slot and condition text.
constexpr Rule kFrequency[] = {{0, 33120}, {3, 33130}, {4, 33140}, {5, 33150}, {1, 33160}, {2, 33170}, {3, 33180}};
constexpr Rule kPreference[] = {{0, 33210}, {4, 33220}, {5, 33230}, {3, 33240}, {6, 33190}};
constexpr Rule kProbability[] = {{0, 33310}, {4, 33320}, {5, 33330}, {3, 33340}, {6, 33190}};
} // namespace

QStringList DGraphTarCriteria::Lines(int scheme)
{
    const DLanguage& lang = DLanguage::Active();
    const bool rankPositive = scheme == DGraphTarStat::Frequency;
    std::pair<int, std::span<const Rule>> texts{33200, kPreference};
    if (rankPositive)
        texts = {33110, kFrequency};
    else if (scheme == DGraphTarStat::Probability)
        texts = {33300, kProbability};

    QStringList lines{lang.GetStr(texts.first)};
    for (const Rule& rule : texts.second)
        lines << lang.GetStr(DGraphTar::LabelId(rankPositive, rule.slot)) + QStringLiteral(": ") +
                     lang.GetStr(rule.condition);
    return lines;
}
