#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class DTest;

// The class report: one PDF on A4 pages in the interface language, to file
// or hand on as it is. A title page (the group's description, the date, the
// numbers of questions, subjects and answers, the questions' texts), the
// four analyses each on a page of its own with its caption, then the
// subjects by category with each category's criterion, and the subjects who
// received no acceptance or the most rejections. Texts are real text and the
// pictures vectors, drawn by the analyses' own painters.
class DClassReport
{
public:
    // fileName names the test on the title page (empty: never saved). An
    // analysis the answers cannot give (preference and impact without
    // spread, say) gets its reason on its page instead of the picture.
    // Raises EError when the answers themselves are damaged.
    static QByteArray Pdf(DTest& test, const QString& fileName, const QDate& date);
};
