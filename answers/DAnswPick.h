#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class DDesi;
class DSubjList;

// Finding the subject a typed or pasted text stands for, so that answers can
// be entered without the mouse, and the one rule of what may be entered.
// Subjects are counted from 1; only the first count of the list take part.
namespace DAnswPick
{
// Why a choice cannot be entered in an answer. Typing, picking, pasting and
// the answers of an online form all ask Check, so that each refuses the same
// choices: every analysis counts a subject once per question and refuses to
// draw a test where somebody chose themselves.
struct Refusal
{
    enum class Kind
    {
        None,
        // The chosen subject is the one who answers.
        Self,
        // Another answer of the same question already names the subject.
        Repeated
    };
    Kind kind = Kind::None;
    // Repeated: that other answer, from 1.
    qint32 answer = 0;
    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const Refusal&) const = default;
};

// Whether chooser may name chosen as answer `answer` (from 1) of a question
// whose answers, the first one first, are `answers`. The value held at
// `answer` itself does not count: the choice replaces it. Values that are no
// choice (0 for none) are never refused and never repeat.
Refusal Check(qint32 chooser, qint32 chosen, qint32 answer, const QList<qint32>& answers);
// The answers the chooser gave to one question as the matrix holds them, the
// first one first: what Check compares a new choice with.
QList<qint32> Answers(const DDesi& desi, qint32 question, qint32 chooser);

// Where a choice is being entered: who answers, which answer, and the
// answers of that question as they stand.
struct Place
{
    qint32 chooser = 0;
    qint32 answer = 1;
    QList<qint32> answers;
};

// A subject offered for an answer, with the reason it cannot be entered
// there (none for those that can).
struct Offer
{
    qint32 subject = 0;
    Refusal refusal;
    bool operator==(const Offer&) const = default;
};

// The subjects a text names exactly: its number, or its surname and name in
// either order, regardless of case and accents, however many spaces stand
// between them.
// Empty when none does; more than one for namesakes.
QList<qint32> Exact(const DSubjList& list, qint32 count, const QString& text);

// The subjects a partly typed text may stand for, best first. A number
// offers only the subject with exactly that number (typing 1 never picks
// 10), even when it cannot be entered, so that the typist learns why. Letters
// offer the subjects whose surname, name or full name in either order starts
// with them: surnames that start with them first, each group sorted by name
// as the pick list is; the one who answers only when nobody else fits.
QList<Offer> Offers(const DSubjList& list, qint32 count, const QString& typed, const Place& place, bool surnameFirst);
// Every subject the pick list offers, sorted by name: those with a name,
// never the one who answers.
QList<Offer> Pickable(const DSubjList& list, qint32 count, const Place& place, bool surnameFirst);
} // namespace DAnswPick
