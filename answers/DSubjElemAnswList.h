#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

class DAnswSubjSort;
class DDesi;
class DSubjList;

// The answers of one subject as the answers page shows them: one row per
// question, one column per answer rank, each cell naming the chosen subject.
// It holds no data of its own and reads the document's parts.
class DSubjElemAnswList
{
public:
    DSubjElemAnswList(const DDesi& desi, const DSubjList& subjects, const DAnswSubjSort& sort);

    // The display text of a stored choice: the chosen subject's full name in
    // the current order, or "None". A value naming no subject of the list is
    // no choice and reads "None" too.
    QString ChoiceText(qint32 value) const;
    // Texts of the answers grid for subject k (from 1), header row and
    // column included: Q+1 rows of A+1 texts.
    QList<QStringList> Texts(qint32 subject) const;

    static constexpr int kHeaderWidth = 80;
    static constexpr int kAnswerWidth = 100;

private:
    const DDesi& desi_;
    const DSubjList& subjects_;
    const DAnswSubjSort& sort_;
};
