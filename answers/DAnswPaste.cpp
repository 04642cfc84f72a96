#include "answers/DAnswPaste.h"

#include "answers/DAnswPick.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjList.h"

namespace
{
constexpr int kNoneText = 12250;
constexpr int kErrNotFit = 27300;
constexpr int kErrUnknown = 27310;
constexpr int kErrAmbiguous = 27320;
constexpr int kErrSelf = 27330;
constexpr int kErrEmpty = 27340;
constexpr int kErrRepeated = 37050;
} // namespace

QList<QStringList> DAnswPaste::Rows(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (plain.endsWith(u'\n'))
        plain.chop(1);
    QList<QStringList> rows;
    if (plain.isEmpty())
        return rows;
    for (const QString& line : plain.split(u'\n'))
        rows.append(line.split(u'\t'));
    return rows;
}

QString DAnswPaste::Text(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QString DAnswPaste::CellText(const DSubjList& list, qint32 subjects, qint32 value, bool surnameFirst)
{
    if (value < 1 || value > subjects)
        return {};
    const QString name = list.GetSelected(value - 1).appe.ToString(surnameFirst);
    if (DAnswPick::Exact(list, subjects, name) == QList<qint32>{value})
        return name;
    return QString::number(value);
}

std::vector<DAnswPaste::Cell> DAnswPaste::Resolve(const QString& text, const Target& target)
{
    const QList<QStringList> rows = Rows(text);
    if (rows.isEmpty())
        throw EError(kErrEmpty);
    qsizetype width = 0;
    for (const QStringList& row : rows)
        width = std::max(width, row.size());
    if (target.question + rows.size() - 1 > target.questions || target.answer + width - 1 > target.answers)
        throw EError(kErrNotFit, {int(rows.size()), int(width), int(target.question), int(target.answer),
                                  int(target.questions), int(target.answers)});

    const QString none = DLanguage::Active().GetStr(kNoneText).toCaseFolded();
    std::vector<Cell> cells;
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (qsizetype j = 0; j < rows[i].size(); ++j)
        {
            const QString& cellText = rows[i][j];
            Cell cell{qint32(target.question + i), qint32(target.answer + j), 0};
            const QString trimmed = cellText.simplified();
            if (!trimmed.isEmpty() && trimmed.toCaseFolded() != none)
            {
                const QList<qint32> found = DAnswPick::Exact(target.list, target.subjects, trimmed);
                const DArgs where{int(i + 1), int(j + 1), int(cell.question), int(cell.answer), trimmed};
                if (found.isEmpty())
                    throw EError(kErrUnknown, where);
                if (found.size() > 1)
                    throw EError(kErrAmbiguous, where);
                cell.value = found.first();
            }
            cells.push_back(cell);
        }

    // Each question's answers as they will stand once the block is in: a
    // block may move a choice to another answer in the same paste.
    QList<QList<qint32>> after;
    for (qint32 q = 1; q <= target.questions; ++q)
    {
        QList<qint32> answers = target.desi ? DAnswPick::Answers(*target.desi, q, target.chooser) : QList<qint32>();
        answers.resize(target.answers, 0);
        after.append(answers);
    }
    for (const Cell& cell : cells)
        after[cell.question - 1][cell.answer - 1] = cell.value;
    std::size_t k = 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        for (qsizetype j = 0; j < rows[i].size(); ++j, ++k)
        {
            const Cell& cell = cells[k];
            const DAnswPick::Refusal refusal =
                DAnswPick::Check(target.chooser, cell.value, cell.answer, after[cell.question - 1]);
            const QString written = rows[i][j].simplified();
            if (refusal.kind == DAnswPick::Refusal::Kind::Self)
                throw EError(kErrSelf, {int(i + 1), int(j + 1), int(cell.question), int(cell.answer), written});
            if (refusal.kind == DAnswPick::Refusal::Kind::Repeated)
                throw EError(kErrRepeated,
                             {int(i + 1), int(j + 1), int(cell.question), int(cell.answer), written, refusal.answer});
        }
    return cells;
}
