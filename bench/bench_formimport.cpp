// Speed targets of importing the answers of an online form: a class of 100
// who each answered 10 questions of 10 ranks, written by name; the same in a
// form of the whole school, 100,000 rows, whose other respondents the user
// leaves out; and in a form of 20,000 columns, most of them other questions
// the user ignores.

#include "answers/DFormImport.h"
#include "bench/BenchSupport.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "model/DCsv.h"
#include "model/DCsvReader.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace
{
QString Surname(qint32 s)
{
    return QStringLiteral("Cognomè %1").arg(QChar(u'A' + s % 26)) + QString(s / 26 + 1, u'x');
}

QString Name(qint32 s)
{
    return QStringLiteral("Nome%1").arg(QChar(u'a' + s % 26)) + QString(s / 26 + 1, u'y');
}

// The form service's file: time and address first, the respondent written
// name first, then every answer of the largest test written surname first;
// extra columns of another question after them, and rows of others (each
// a name of their own) after the class.
QByteArray FormOf(const DTest& test, qint32 rows = 100, qint32 extraColumns = 0)
{
    QStringList header{QStringLiteral("Timestamp"), QStringLiteral("Email address"), QStringLiteral("Your name")};
    for (qint32 q = 1; q <= 10; ++q)
        for (qint32 r = 1; r <= 10; ++r)
            header << QStringLiteral("Question %1 [choice %2]").arg(q).arg(r);
    for (qint32 e = 1; e <= extraColumns; ++e)
        header << QStringLiteral("Other %1").arg(e);
    QStringList lines{DCsv::Line(header)};
    for (qint32 row = 1; row <= rows; ++row)
    {
        const qint32 s = (row - 1) % 100 + 1;
        const QString who = row <= 100 ? Name(s - 1) + u' ' + Surname(s - 1) : QStringLiteral("Guest %1").arg(row);
        QStringList cells{QStringLiteral("2024/05/02 10:%1:00").arg(row % 60),
                          QStringLiteral("pupil%1@school.it").arg(row), who};
        for (qint32 q = 1; q <= 10; ++q)
            for (qint32 r = 1; r <= 10; ++r)
            {
                const qint32 chosen = test.desi.GetDesi(q, r, s) - 1;
                cells << Surname(chosen) + u' ' + Name(chosen);
            }
        for (qint32 e = 1; e <= extraColumns; ++e)
            cells << (e % 2 ? QStringLiteral("yes") : QStringLiteral("no"));
        lines << DCsv::Line(cells);
    }
    return DCsv::Bytes(lines);
}

// The class's test with the names the form writes, and no answers.
void PrepareTest(DTest& test)
{
    BuildLargestTest(test);
    for (qint32 s = 0; s < 100; ++s)
    {
        test.subj.List().GetSelected(s).appe.Surname().SetText(Surname(s));
        test.subj.List().GetSelected(s).appe.Name().SetText(Name(s));
    }
    test.desi.New();
}

// What the user does in the dialog and on Import: the form read, the other
// columns ignored, every name of no subject left out, the import; false when
// the class's answers did not all arrive.
bool ImportAsTheUser(const QByteArray& bytes, DTest& test, const DTest& source, qint32 extraColumns)
{
    DFormImport form(DCsvReader::Parse(bytes, QStringLiteral("form.csv")), QStringLiteral("form.csv"), test.subj.List(),
                     test.desi);
    for (qint32 c = form.ColumnCount() - extraColumns; c < form.ColumnCount(); ++c)
        form.SetColumn(c, {});
    for (const DFormImport::Name& name : form.Problems())
        form.Resolve(name, DFormImport::kSkipRows);
    const DFormImport::Plan plan = form.Apply(test.desi);
    return plan.rows.size() == 100 && test.desi.GetDesi(10, 10, 100) == source.desi.GetDesi(10, 10, 100);
}

void BM_FormImportLarge(benchmark::State& state)
{
    const qint32 rows = qint32(state.range(0));
    const qint32 extra = qint32(state.range(1));
    DTest source;
    BuildLargestTest(source);
    const QByteArray bytes = FormOf(source, rows, extra);
    DTest test;
    PrepareTest(test);
    for (auto _ : state)
    {
        if (!ImportAsTheUser(bytes, test, source, extra))
            state.SkipWithError("the form was not imported in full");
        state.PauseTiming();
        test.desi.New();
        state.ResumeTiming();
    }
    state.counters["file_MiB"] = double(bytes.size()) / (1 << 20);
    state.counters["peak_MiB"] =
        double(PeakGrowthKiB([&] { return ImportAsTheUser(bytes, test, source, extra); })) / 1024;
}
// 100,000 rows; 20,000 columns.
BENCHMARK(BM_FormImportLarge)->Args({100000, 0})->Args({100, 19897})->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FormImport(benchmark::State& state)
{
    DTest source;
    BuildLargestTest(source);
    const QByteArray bytes = FormOf(source);
    DTest test;
    PrepareTest(test);
    for (auto _ : state)
    {
        DFormImport form(DCsvReader::Parse(bytes, QStringLiteral("form.csv")), QStringLiteral("form.csv"),
                         test.subj.List(), test.desi);
        const DFormImport::Plan plan = form.Apply(test.desi);
        benchmark::DoNotOptimize(plan.rows.size());
        state.PauseTiming();
        if (plan.rows.size() != 100 || test.desi.GetDesi(10, 10, 100) != source.desi.GetDesi(10, 10, 100))
            state.SkipWithError("the form was not imported in full");
        // Every run writes all 10,000 answers anew.
        test.desi.New();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormImport)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace
