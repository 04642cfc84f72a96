#include "document/DFileKalCir.h"

#include "answers/DAnswNum.h"
#include "document/DFileKalCirTags.h"
#include "model/DElemInt.h"
#include "model/DElemString.h"
#include "questions/DQuesList.h"
#include "subjects/DSubjList.h"

namespace
{
constexpr qint64 kInt8 = DElemInt8::kFileBytes;
constexpr qint64 kInt32 = DElemInt32::kFileBytes;
constexpr qint64 kText = DElemString::kMaxFileBytes;

// Type, text, and the four analysis flags.
constexpr qint64 kQuestion = kInt8 + kText + 4 * kInt8;
constexpr qint64 kQuestions = kInt32 + DQuesList::kMax * kQuestion;
// Number of answers and name order.
constexpr qint64 kAnswers = kInt32 + kInt8;
// Surname, name, sex, note, and the two sociogram positions of two numbers.
constexpr qint64 kSubject = kText + kText + kInt8 + kText + 4 * kInt32;
// Description, count, subjects.
constexpr qint64 kSubjects = kText + kInt32 + DSubjList::kMaxSubjects * kSubject;
// One cell per question, answer and subject.
constexpr qint64 kMatrix = qint64(DQuesList::kMax) * DAnswNum::kMax * DSubjList::kMaxSubjects * kInt32;
// Eight one-byte options and the two picture dimensions, then the metric
// table's order.
constexpr qint64 kAnalyses = 9 * kInt8 + 2 * kInt32;
// The cap of the tagged section, which holds what later versions add.
constexpr qint64 kTaggedSection = DFileKalCirTags::kMaxSectionBytes;
} // namespace

qint64 DFileKalCir::MaxFileSize()
{
    // Every section at its largest, without gaps, as the writer lays them out.
    return kSectionsStart + kQuestions + kAnswers + kSubjects + kMatrix + kAnalyses + kTaggedSection;
}
