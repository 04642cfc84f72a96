#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class DSubjList;

// Finding the subject a typed or pasted text stands for, so that answers can
// be entered without the mouse. Subjects are counted from 1; only the first
// count of the list take part.
namespace DAnswPick
{
// The subjects a text names exactly: its number, or its surname and name in
// either order, regardless of case and accents, however many spaces stand
// between them.
// Empty when none does; more than one for namesakes.
QList<qint32> Exact(const DSubjList& list, qint32 count, const QString& text);

// The subjects a partly typed text may stand for, best first: a number
// narrows to the subjects whose number starts with it, the number itself
// first; letters to the subjects whose surname, name or full name in either
// order starts with them. The order within each rank is the one given
// (subject numbers), so the caller decides how names are sorted. A subject
// equal to excluded is never offered: nobody chooses themselves.
QList<qint32> Narrow(const DSubjList& list, qint32 count, const QString& typed, qint32 excluded);
} // namespace DAnswPick
