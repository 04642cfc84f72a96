#pragma once

#include "model/DElemInt.h"
#include "subjects/DSubjElem.h"
#include "subjects/DSubjNameLine.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class DFileStream;

// The subjects of the group in identifier order. Every change of their
// number goes to the owner, which reshapes the choice matrix with it.
class DSubjList
{
public:
    // Told the new number of subjects after every change of it.
    using Resize = std::function<void(qint32 count)>;
    explicit DSubjList(Resize resize);
    DSubjList(const DSubjList&) = delete;
    DSubjList& operator=(const DSubjList&) = delete;

    static constexpr qint32 kMinSubjects = 1;
    static constexpr qint32 kMaxSubjects = 100;
    static constexpr qint32 kDefaultSubjects = 10;

    // Ten new subjects.
    void Default();
    // n must lie in 1..100 (error 50070). A program change (byUser false)
    // replaces every subject by a default one; a user change keeps the first
    // min(old, n) subjects with their data.
    void SetSize(qint32 n, bool byUser);
    // The number typed by the user; anything but a whole number in 1..100
    // raises 50070 and changes nothing.
    void SetSize(const QString& text);
    qint32 GetSize() const { return count_.GetValue(); }

    // The records themselves: the analyses keep references to them and fill
    // their runtime parts. Their number must only change through SetSize.
    std::vector<DSubjElem>& Get() { return subjects_; }
    const std::vector<DSubjElem>& Get() const { return subjects_; }

    // Numbers the subjects 1..n in list order (never a user change).
    void SetId();

    // The subject at a 0-based index; 50020 outside the list.
    DSubjElem& GetSelected(qint32 index);
    const DSubjElem& GetSelected(qint32 index) const;
    // The identifier of the first subject whose full name equals the text
    // exactly; 0 when none does.
    qint32 GetSelected(const QString& name, bool surnameFirst) const;

    bool IsChangedByUser() const;
    // An import replaced the list: the test now differs from its file.
    void MarkChangedByUser() { count_.MarkChangedByUser(); }

    // Texts of the grids, one entry per subject. Subjects grid: identifier,
    // surname, name, sex, note. Answers page grid: number, surname, name,
    // answered-of-expected.
    QList<QStringList> ListAllRows() const;
    // The answered-of-expected text of subject k (from 1) comes from summary.
    QList<QStringList> ListSelRows(const std::function<QString(qint32 subject)>& summary) const;
    // "%d subjects: %d female, %d male".
    QString SummaryText() const;
    // "None", then the full names of the subjects that have a surname or a
    // name, sorted case-insensitively for the interface language.
    QStringList AppelTexts(bool surnameFirst) const;
    // Sorts names as people of the interface language expect, whatever the
    // system locale; names that compare equal keep their order.
    static void SortNames(QStringList& names);

    // Names from text, one line per subject (DSubjNameLine: the names in
    // one of the formats of DSubjElemAppe or in two tab-separated columns,
    // then an optional sex and note); blank lines are skipped. The lines must
    // give 1..100 names (error 50070); a line that cannot be read raises
    // 27000 with its number.
    static std::vector<DSubjNameLine> ReadMemo(int format, const QStringList& lines);
    // The subject each line stands for, as an index from 0, or -1 for a new
    // subject. A name finds its subject through DSubjMatch, the same order
    // of surname and name first, each subject at most once (a name written
    // twice finds it once). The lines whose names find none take the
    // subjects that have no name, in order, so that answers entered by
    // number before the names were known stay with them; the others are new.
    std::vector<qint32> MatchMemo(const std::vector<DSubjNameLine>& lines) const;
    // The list becomes the lines in their order: subject k is the one
    // origin[k] names (with everything it holds, its sociogram places
    // too) or a new one, written with the line's names, and its sex and
    // note where the line gives them. The subjects no line took are removed.
    // The owner carries what names subjects by number along (DNamesImport).
    void FromMemo(const std::vector<DSubjNameLine>& lines, const std::vector<qint32>& origin);
    // The lines of an editor's text: a final line break starts no extra line.
    static QStringList MemoLines(const QString& text);

    void ToFile(DFileStream& stream);
    // Raises 60020 naming the file for a number of subjects outside 1..100.
    void FromFile(DFileStream& stream);

    // Copies the number and the records of another list; the choice matrix
    // is not told.
    void TakeData(const DSubjList& other);

private:
    Resize resize_;
    DElemInt32 count_;
    std::vector<DSubjElem> subjects_;
};
