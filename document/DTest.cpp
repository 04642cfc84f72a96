#include "document/DTest.h"

#include "model/DFileStream.h"
#include "model/EError.h"

DTest::DTest()
    : desi(), ques([this](qint32 count) { desi.SetQues(count); }), answ(desi),
      subj([this](qint32 count) { desi.SetSubj(count); }), graph(desi, ques, subj), file(*this)
{
    // The matrix is built before the questions, yet its counts read their
    // polarity and selections: hand it the question list now that it exists.
    desi.Bind(ques);
}

DTest::~DTest() = default;

void DTest::New()
{
    EError::Guard("DTest::New()",
                  [&]
                  {
                      ques.New();
                      answ.New();
                      subj.New();
                      desi.New();
                      tags.New();
                      // The rings belong to the boxes' places, which New drops.
                      graph.soc.rings = DGraphSocRings();
                      file.New();
                      file.MarkUnchanged();
                  });
}

bool DTest::IsChangedByUser() const
{
    return EError::Guard("DTest::IsChangedByUser()",
                         [&]
                         {
                             return ques.IsChangedByUser() || answ.IsChangedByUser() || subj.IsChangedByUser() ||
                                    desi.IsChangedByUser() || graph.IsChangedByUser() || tags.IsChangedByUser();
                         });
}

namespace
{
// The analysis options that earlier readers must not see (their sections
// keep the values those readers know).
constexpr quint32 kTargetScheme = DFileKalCirTags::Tag("TCAT");
constexpr quint32 kRankWeights = DFileKalCirTags::Tag("WRNK");
constexpr quint32 kSociogramLook = DFileKalCirTags::Tag("SLOK");
constexpr quint32 kSociogramRings = DFileKalCirTags::Tag("SRNG");

// A record is kept only while it says something: with the default options
// the file is what writers before the record made.
void Store(DFileKalCirTags& tags, quint32 tag, const std::optional<QByteArray>& record)
{
    if (record)
        tags.Set(tag, *record, false);
    else
        tags.Remove(tag, false);
}
} // namespace

void DTest::SectionsToFile(DFileStream& stream)
{
    Store(tags, kTargetScheme, graph.tar.stat.Record());
    Store(tags, kRankWeights, graph.weight.Record());
    Store(tags, kSociogramLook, graph.soc.look.Record());
    Store(tags, kSociogramRings, graph.soc.rings.Record());
    ques.ToFile(stream);
    answ.ToFile(stream);
    subj.ToFile(stream);
    desi.ToFile(stream);
    graph.ToFile(stream);
    tags.ToFile(stream);
    graph.weight.MarkSaved(stream);
}

void DTest::SectionsFromFile(DFileStream& stream, qint32 version)
{
    // The answer settings come first so that the matrix has its answer
    // dimension before the questions and subjects reshape it; the matrix
    // comes last, when all three dimensions are those of the file.
    answ.FromFile(stream);
    ques.FromFile(stream, version);
    subj.FromFile(stream);
    desi.FromFile(stream);
    graph.FromFile(stream, version);
    tags.FromFile(stream);
    graph.tar.stat.FromRecord(tags.Get(kTargetScheme));
    graph.weight.FromRecord(tags.Get(kRankWeights));
    graph.soc.look = DGraphSocLook::FromRecord(tags.Get(kSociogramLook));
    graph.soc.rings = DGraphSocRings::FromRecord(tags.Get(kSociogramRings));
}

void DTest::QuestionsFromFile(DFileStream& stream, qint32 version)
{
    ques.FromFile(stream, version);
}

void DTest::SubjectsFromFile(DFileStream& stream)
{
    subj.FromFile(stream);
}

void DTest::TakeOver(DTest& fresh)
{
    // Every component copies its data only: the sibling references stay
    // those of this document. The matrix is copied whole, already in the
    // shape the other components now have.
    ques.TakeData(fresh.ques);
    answ.TakeData(fresh.answ);
    subj.TakeData(fresh.subj);
    desi.TakeData(fresh.desi);
    graph.TakeData(fresh.graph);
    tags.TakeData(fresh.tags);
}

namespace
{
constexpr quint32 kPinsTag = DFileKalCirTags::Tag("SPIN");
} // namespace

DGraphSocPins DTest::Pins() const
{
    return DGraphSocPins::FromRecord(tags.Get(kPinsTag).value_or(QByteArray()));
}

void DTest::SetPins(const DGraphSocPins& pins, bool byUser)
{
    EError::Guard("DTest::SetPins()",
                  [&]
                  {
                      // Without pins the record goes, so the file is what it was before any.
                      if (pins.IsEmpty())
                          tags.Remove(kPinsTag, byUser);
                      else
                          tags.Set(kPinsTag, pins.ToRecord(), byUser);
                  });
}

void DTest::SetLook(const DGraphSocLook& look, bool byUser)
{
    EError::Guard("DTest::SetLook()",
                  [&]
                  {
                      graph.soc.look = look;
                      if (const std::optional<QByteArray> record = look.Record())
                          tags.Set(kSociogramLook, *record, byUser);
                      else
                          tags.Remove(kSociogramLook, byUser);
                  });
}

void DTest::TakeQuestions(DTest& fresh)
{
    // The imported questions are the user's doing and not yet in this test's
    // file: they count as a change, so closing asks before losing them.
    ques.TakeData(fresh.ques);
    ques.List().MarkChangedByUser();
    desi.SetQues(ques.List().GetSize());
}

void DTest::TakeSubjects(DTest& fresh)
{
    // Fewer subjects also withdraw the remaining subjects' choices of the
    // subjects that are gone.
    subj.TakeData(fresh.subj);
    subj.List().MarkChangedByUser();
    desi.SetSubj(subj.Count());
}
