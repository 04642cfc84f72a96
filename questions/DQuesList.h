#pragma once

#include "model/DElemInt.h"
#include "questions/DQuesElem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <vector>

class DFileStream;

// The questions of the test in order; question number n is index n-1.
// Every change of the count goes to the owner, which reshapes the choice
// matrix with it.
class DQuesList
{
public:
    // One entry of an analysis' question check list.
    struct CheckItem
    {
        QString label;
        bool checked = false;
        bool operator==(const CheckItem&) const = default;
    };

    // Told the new count after every change of it.
    using Resize = std::function<void(qint32 count)>;
    explicit DQuesList(Resize resize);

    // Five default questions.
    void Default();
    // A program change (byUser false) rebuilds the list from defaults; a user
    // change keeps the first questions and appends or drops at the end.
    void SetSize(qint32 n, bool byUser);
    // The user's text: a whole number from 1 to 10, or error 50050.
    void SetSize(const QString& text);
    qint32 GetSize() const { return count_.GetValue(); }
    DQuesElem& GetSelected(qint32 index);
    const DQuesElem& GetSelected(qint32 index) const;
    bool IsChangedByUser() const;
    // An import replaced the list: the test now differs from its file.
    void MarkChangedByUser() { count_.MarkChangedByUser(); }

    // Texts of question row index+1 of the questions grid: number, polarity, text.
    QStringList GridRow(qint32 index) const;
    // "%d questions: %d positive, %d negative".
    QString SummaryText() const;

    // The check list of one analysis: every question, checked by its flag.
    QList<CheckItem> ListItems(DQuesElem::Graph graph) const;
    // The sociogram's list holds only the questions of one polarity, labelled
    // with their numbers in the whole list.
    QList<CheckItem> ListItemsSoc(bool acceptance) const;
    // Stores check marks back: item k belongs to question k (extra marks or
    // questions beyond the shorter of the two are left alone).
    void SetSelected(DQuesElem::Graph graph, const QList<bool>& checks);
    // Item j belongs to the j-th question of the given polarity.
    void SetSocSelected(bool acceptance, const QList<bool>& checks);

    void ToFile(DFileStream& stream);
    // A count outside 1..10 is a damaged file: error 60020 naming the file.
    void FromFile(DFileStream& stream, qint32 version);

    // Copies count and questions from another list; the matrix is not told
    // (the caller reshapes it).
    void TakeData(const DQuesList& other);

    static constexpr qint32 kMin = 1;
    static constexpr qint32 kMax = 10;
    static constexpr qint32 kDefault = 5;

private:
    Resize resize_;
    DElemInt32 count_;
    std::vector<DQuesElem> questions_;
};
