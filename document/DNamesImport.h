#pragma once

#include "subjects/DSubjNameLine.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>
#include <vector>

class DTest;

// A list of names pasted or typed over the subjects of a test, planned before
// it is made. Every name finds its subject (DSubjList::MatchMemo), so that
// what was entered for a pupil stays with that pupil whatever line the name
// is on: the answers given and received, sex, note, sociogram places and
// pins, working-group pairs. The plan tells the user exactly what moves,
// comes and goes, then is carried out on the test it was made for.
class DNamesImport
{
public:
    // Reads the lines and pairs them with the test's subjects; raises the
    // refusals of DSubjList::ReadMemo. test is not changed.
    DNamesImport(const DTest& test, int format, const QStringList& lines);

    // The question to put to the user in the interface language; empty when
    // nothing entered moves, changes or goes (names for empty subjects, the
    // same names in their places, names added after them).
    QString Question() const;
    // Makes the import on the test it was planned on: the subjects in the
    // lines' order, and with each subject whatever names it by number (the
    // choices, the sociogram's pins, the working groups' pairs). A choice of
    // a removed subject becomes empty, a pair naming one goes.
    void Apply(DTest& test) const;

    // A subject that goes, with what was entered for it.
    struct Removed
    {
        qint32 number = 0; // from 1, before the import
        QString name;      // empty when it had none
        qint32 given = 0;
        qint32 received = 0;
        bool operator==(const Removed&) const = default;
    };
    using Move = std::pair<qint32, qint32>; // number before, number after

    // For each line, the subject (index from 0) it takes over, or -1.
    std::vector<qint32> origin;
    qint32 from = 0; // subjects before the import
    qint32 to = 0;   // names, the subjects after it
    // Names that found their subject.
    qint32 matched = 0;
    // Subjects with something entered that take another number.
    QList<Move> moved;
    // Names given to subjects without a name but with entered data: the
    // subject's number and the name.
    QList<std::pair<qint32, QString>> unnamedTaken;
    // Matched subjects whose names the lines spell otherwise: before, after.
    QList<std::pair<QString, QString>> respelled;
    // Subjects that come new: their number and name.
    QList<std::pair<qint32, QString>> added;
    // Lines that write a sex or a note, and the subjects already entered
    // whose sex or note they change (names as they will read).
    qint32 sexLines = 0;
    QStringList sexChanged;
    qint32 noteLines = 0;
    QStringList noteReplaced;
    // Subjects that go with entered data (empty ones are not listed).
    QList<Removed> removed;
    // Answers that go: given by removed subjects or naming them.
    qint32 lostAnswers = 0;
    // Working-group pairs that name a removed subject.
    qint32 lostPairs = 0;

private:
    std::vector<DSubjNameLine> lines_;
};
