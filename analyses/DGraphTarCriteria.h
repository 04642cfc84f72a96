#pragma once

#include <QStringList>

// The criteria of a categorisation of the target diagram in words and
// symbols, in the current language: what its symbols stand for, then one
// line per rule in the order the rules are tried ("A) Popular: ..."). The
// one set of these texts, for every place that explains a category.
class DGraphTarCriteria
{
public:
    // scheme: a DGraphTarStat::Scheme; any other value reads as preference
    // and impact, as the diagram draws it.
    static QStringList Lines(int scheme);
};
