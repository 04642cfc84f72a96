#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

class DDesi;
class DSubjList;

// A block of answers copied from a spreadsheet or from the answers grid:
// cells separated by tabs, rows by line breaks. Row i and cell j of the block
// land on question q + i and answer a + j of one subject's answers.
namespace DAnswPaste
{
// One cell a paste stores: question and answer counted from 1, value the
// chosen subject or 0 for no choice.
struct Cell
{
    qint32 question = 0;
    qint32 answer = 0;
    qint32 value = 0;
    bool operator==(const Cell&) const = default;
};

// Where the block lands and what it may name.
struct Target
{
    const DSubjList& list;
    qint32 subjects = 0;
    // The subject whose answers these are: it may not choose itself.
    qint32 chooser = 0;
    qint32 question = 1;
    qint32 answer = 1;
    qint32 questions = 0;
    qint32 answers = 0;
    // The chooser's answers as they stand, which the block's choices may not
    // repeat within a question; none when absent.
    const DDesi* desi = nullptr;
};

// The rows of cells of a copied text; CR LF and LF both end a row, and the
// line break that ends a spreadsheet's copy makes no empty last row.
QList<QStringList> Rows(const QString& text);
// The text of a block of cells: the inverse of Rows.
QString Text(const QList<QStringList>& rows);
// A stored choice as a copy gives it, so that it pastes back to the same
// subject: empty for no choice, the name as the answers page orders it, or
// the number where the name is missing or shared by several subjects.
QString CellText(const DSubjList& list, qint32 subjects, qint32 value, bool surnameFirst);

// What pasting text on the target stores, every cell resolved: a number, a
// "surname name" or "name surname", an empty cell or the "None" entry for no
// choice. The whole block is refused (EError naming the block's line and
// column, the answer cell and the text) when it does not fit the grid or a
// cell names no subject, several subjects, or a subject DAnswPick::Check
// refuses once the block is in place: the chooser, or a subject named in
// another answer of the same question.
std::vector<Cell> Resolve(const QString& text, const Target& target);
} // namespace DAnswPaste
