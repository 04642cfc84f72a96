#include "model/DTest.h"

#include "model/DFileStream.h"
#include "model/EError.h"

DTest::DTest() : file(*this) {}

DTest::~DTest() = default;

void DTest::New()
{
    EError::Guard("DTest::New()", [&] { file.New(); });
}

bool DTest::IsChangedByUser() const
{
    return EError::Guard("DTest::IsChangedByUser()", [&] { return false; });
}

void DTest::SectionsToFile(DFileStream& stream)
{
    (void)stream;
}

void DTest::SectionsFromFile(DFileStream& stream, qint32 version)
{
    (void)stream;
    (void)version;
}

void DTest::QuestionsFromFile(DFileStream& stream, qint32 version)
{
    (void)stream;
    (void)version;
}

void DTest::SubjectsFromFile(DFileStream& stream)
{
    (void)stream;
}

void DTest::TakeOver(DTest& fresh)
{
    (void)fresh;
}

void DTest::TakeQuestions(DTest& fresh)
{
    (void)fresh;
}

void DTest::TakeSubjects(DTest& fresh)
{
    (void)fresh;
}
