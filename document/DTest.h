#pragma once

#include "analyses/DGraph.h"
#include "analyses/DGraphSocPins.h"
#include "answers/DAnsw.h"
#include "answers/DDesi.h"
#include "document/DFileKalCir.h"
#include "document/DFileKalCirTags.h"
#include "questions/DQues.h"
#include "subjects/DSubj.h"

class DFileStream;

// The whole sociometric test: every component of the test and the reader
// and writer of its file. The application creates one in main() and hands
// it to its windows; tests may create as many as they like.
class DTest
{
public:
    DTest();
    ~DTest();
    DTest(const DTest&) = delete;
    DTest& operator=(const DTest&) = delete;

    // Resets the test to a new one; the analysis options are kept. The new
    // test is unchanged: there is nothing in it to lose.
    void New();
    bool IsChangedByUser() const;
    // The test as a whole differs from its file (a state restored from a copy).
    void MarkChangedByUser() { ques.List().MarkChangedByUser(); }
    // The test is what its file holds again.
    void MarkUnchanged() { file.MarkUnchanged(); }

    // The components, in construction order (later ones reshape earlier ones):
    // the matrix comes first because the others resize it while they apply
    // their defaults.
    DDesi desi;
    DQues ques;
    DAnsw answ;
    DSubj subj;
    // The analyses with their options; New keeps them for the next test.
    DGraph graph;
    // The records of the tagged section, last in the file; a new test has none.
    DFileKalCirTags tags;
    DFileKalCir file;

    // Section writers and readers, in the file's order and the read order.
    void SectionsToFile(DFileStream& stream);
    void SectionsFromFile(DFileStream& stream, qint32 version);
    void QuestionsFromFile(DFileStream& stream, qint32 version);
    void SubjectsFromFile(DFileStream& stream);

    // Take the contents of a document that was read successfully. The
    // imports of questions or subjects take no tagged records: those belong
    // to the other test as a whole.
    void TakeOver(DTest& fresh);
    void TakeQuestions(DTest& fresh);
    void TakeSubjects(DTest& fresh);

    // The sociogram's pinned boxes, kept as a record of the tagged section;
    // a test without the record has none.
    DGraphSocPins Pins() const;
    void SetPins(const DGraphSocPins& pins, bool byUser);
    // The sociogram's drawing options (graph.soc.look) with their record.
    void SetLook(const DGraphSocLook& look, bool byUser);
};
