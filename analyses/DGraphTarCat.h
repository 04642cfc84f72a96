#pragma once

#include "analyses/DGraphListSubj.h"

#include <QString>
#include <QtGlobal>

#include <vector>

// One category of the target diagram: its label, the subjects it holds in
// list order and the radius of its ring.
class DGraphTarCat
{
public:
    void Clear();
    // The smallest radius on which the category's subjects and its letter
    // each get one cell of the ring; an empty category is one cell outside
    // the previous ring.
    void SetRadiusMin(qint32 previous, qint32 cel);
    static qint32 RadiusMin(qint32 count, qint32 previous, qint32 cel);

    QString label;
    std::vector<DGraphListSubj> subjects;
    qint32 radius = 0;
};
