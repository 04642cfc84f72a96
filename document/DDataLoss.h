#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class DTest;

// What a planned change of the test would remove or overwrite of the data
// entered so far, found before the change is made so that the user can be
// told exactly what goes and can still decline. Nothing here changes the
// test.
//
// Only entered data counts: a question with a text or answers, a subject
// with a name, a note or answers. Removing empty defaults loses nothing and
// needs no question.
class DDataLoss
{
public:
    enum class Kind
    {
        None,
        QuestionCount,
        AnswerCount,
        SubjectCount,
        QuestionImport,
        SubjectImport
    };

    // A question or subject that goes with the data entered for it.
    struct Item
    {
        qint32 number = 0; // from 1
        QString label;     // question text or full name; empty when none
        qint32 answers = 0;
        bool operator==(const Item&) const = default;
    };

    // The user's text for a new number of questions, answers per question or
    // subjects; a text that is no number, or a number the setter refuses,
    // loses nothing (the setter reports it).
    static DDataLoss QuestionCount(const DTest& test, const QString& text);
    static DDataLoss AnswerCount(const DTest& test, const QString& text);
    static DDataLoss SubjectCount(const DTest& test, const QString& text);
    // The questions or subjects of the test file at path replacing this
    // test's. The file is read once, into imported, which the import then
    // takes over (so the question describes exactly what is taken); a file
    // the import would refuse raises the same error. test is not changed.
    static DDataLoss QuestionImport(const DTest& test, const QString& path, DTest& imported);
    static DDataLoss SubjectImport(const DTest& test, const QString& path, DTest& imported);
    // An import of names keeps the subjects it finds, so its question says
    // what moves as well as what goes: DNamesImport asks it.

    // Whether nothing entered would be removed or overwritten.
    bool IsEmpty() const { return dropped.isEmpty() && replaced == 0 && !descriptionReplaced && answers == 0; }
    // The question to put to the user in the interface language, naming
    // these facts; empty when nothing is lost.
    QString Question() const;

    Kind kind = Kind::None;
    qint32 from = 0; // the count before the change
    qint32 to = 0;   // the count after it
    // Questions or subjects removed with their data (only those with some).
    QList<Item> dropped;
    // Entered answers removed: given to removed questions, at removed ranks,
    // given by removed subjects or naming them.
    qint32 answers = 0;
    // Questions or subjects kept in place whose entered data is overwritten.
    qint32 replaced = 0;
    bool descriptionReplaced = false;
    // Imports: answers that stay with the question or subject numbers kept.
    qint32 keptAnswers = 0;
    QString path;

private:
    // Fills in what lowering the subjects to count removes.
    void DropSubjects(const DTest& test, qint32 count);
    void DropQuestions(const DTest& test, qint32 count);
};
