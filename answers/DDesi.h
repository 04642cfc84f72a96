#pragma once

#include "model/DElemInt.h"
#include "model/DFileKalCirSec.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

class DFileStream;
class DQues;
class DQuesElem;

// The choice matrix: for every question, answer rank and choosing subject,
// the identifier of the chosen subject (1..100) or no choice (any other
// value). Every analysis counts from here.
class DDesi
{
public:
    DDesi();
    DDesi(const DDesi&) = delete;
    DDesi& operator=(const DDesi&) = delete;

    // The counts need the question list (polarity and analysis selections),
    // but the matrix is built before the questions because the questions
    // reshape it while applying their defaults. The document therefore binds
    // the list right after constructing it; until then the counts see no
    // admitted question.
    void Bind(const DQues& ques);

    // Dimension changes; an equal count changes nothing. Surviving cells keep
    // their position, value and change state.
    void SetQues(qint32 count);
    void SetAnsw(qint32 count);
    // Also clears (as a program change) every cell that names a subject above
    // the new count, so no choice ever names a missing subject.
    void SetSubj(qint32 count);

    qint32 QuesCount() const { return ques_; }
    qint32 AnswCount() const { return answ_; }
    qint32 SubjCount() const { return subj_; }

    void New();
    bool IsChangedByUser() const;

    // Question, answer and subject counted from 1.
    void SetDesi(qint32 question, qint32 answer, qint32 subject, qint32 value);
    qint32 GetDesi(qint32 question, qint32 answer, qint32 subject) const;

    // "%d of %d": the subject's cells that hold a choice, out of Q x A.
    QString GetSubjSummary(qint32 subject) const;
    // Raises 50090 for the first subject (question, rank, subject order) that
    // chose itself.
    void Verify() const;

    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    // Copies counters and cells (with their change states) from another
    // matrix; the question binding stays as it is.
    void TakeData(const DDesi& other);

    // Sociometric counts; v is a subject identifier, the flags select the
    // analyses whose question selections admit a question. weighted scores a
    // choice in rank r (from 1) of A by A - r + 1 instead of 1; the counts of
    // different subjects then take each subject once, with the weight of the
    // best-ranked choice between the two.
    qint32 GetSubjAccTot(qint32 v, bool bar, bool target, bool soc, bool weighted = false) const;
    qint32 GetSubjRejTot(qint32 v, bool bar, bool target, bool soc, bool weighted = false) const;
    qint32 GetSubjAccSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted = false) const;
    qint32 GetSubjRejSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted = false) const;
    qint32 GetOutAccSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted = false) const;
    qint32 GetOutRejSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted = false) const;
    qint32 GetTargetFrequency() const;
    // The positive or negative questions selected for the target diagram.
    qint32 GetTargetQuestions(bool positive) const;

    // The choices the sociogram connects: every choice to a positive or
    // negative question selected for the sociogram, in scan order (question,
    // rank from 0, choosing subject), handed to visit. The analyses turn
    // them into their connections.
    using ChoiceVisitor = std::function<void(qint32 chooser, qint32 chosen, qint32 rank)>;
    void SocChoices(bool positive, const ChoiceVisitor& visit) const;
    // The same scan over the questions of one polarity that admitted(question
    // index from 0) accepts: for features with a question selection of their
    // own, kept apart from the four analyses' flags.
    using QuestionFilter = std::function<bool(qint32 question)>;
    void Choices(bool positive, const QuestionFilter& admitted, const ChoiceVisitor& visit) const;
    // The same for the questions selected for the target diagram, whose
    // choices its table and the group indices count.
    void TargetChoices(bool positive, const ChoiceVisitor& visit) const;

    static bool IsChoice(qint32 value) { return value >= 1 && value <= 100; }

private:
    // Brings the cells to Q x A x S once all three are non-zero; surviving
    // cells keep their position, value and change state.
    void Resize();
    void Choices(bool positive, bool target, bool soc, const ChoiceVisitor& visit) const;
    qint32 TargetQuestions(bool positive) const;
    bool Admits(qint32 q, bool positive, bool bar, bool target, bool soc, bool metric) const;
    // What a choice in rank (from 0) scores.
    qint32 Weight(qint32 rank, bool weighted) const;
    qint32 TotalCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool weighted) const;
    qint32 ChooserCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool metric, bool weighted) const;
    qint32 ChosenCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool metric, bool weighted) const;
    bool HasShape() const { return ques_ > 0 && answ_ > 0 && subj_ > 0; }
    std::size_t Index(qint32 q, qint32 r, qint32 s) const
    {
        return (static_cast<std::size_t>(q) * static_cast<std::size_t>(shapeA_) + static_cast<std::size_t>(r)) *
                   static_cast<std::size_t>(shapeS_) +
               static_cast<std::size_t>(s);
    }
    void CheckCell(qint32 question, qint32 answer, qint32 subject) const;

    qint32 ques_ = 0;
    qint32 answ_ = 0;
    qint32 subj_ = 0;
    // Shape of cells_ (equals the counters once they are all non-zero).
    qint32 shapeQ_ = 0;
    qint32 shapeA_ = 0;
    qint32 shapeS_ = 0;
    std::vector<DElemInt32> cells_;
    DFileKalCirSec sec_;
    const DQues* quesList_ = nullptr;
};
