// Speed target of importing the answers of an online form: a class of 100
// who each answered 10 questions of 10 ranks, written by name.

#include "answers/DFormImport.h"
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
// name first, then every answer of the largest test written surname first.
QByteArray FormOf(const DTest& test)
{
    QStringList header{QStringLiteral("Timestamp"), QStringLiteral("Email address"), QStringLiteral("Your name")};
    for (qint32 q = 1; q <= 10; ++q)
        for (qint32 r = 1; r <= 10; ++r)
            header << QStringLiteral("Question %1 [choice %2]").arg(q).arg(r);
    QStringList lines{DCsv::Line(header)};
    for (qint32 s = 1; s <= 100; ++s)
    {
        QStringList cells{QStringLiteral("2024/05/02 10:%1:00").arg(s % 60), QStringLiteral("pupil%1@school.it").arg(s),
                          Name(s - 1) + u' ' + Surname(s - 1)};
        for (qint32 q = 1; q <= 10; ++q)
            for (qint32 r = 1; r <= 10; ++r)
            {
                const qint32 chosen = test.desi.GetDesi(q, r, s) - 1;
                cells << Surname(chosen) + u' ' + Name(chosen);
            }
        lines << DCsv::Line(cells);
    }
    return DCsv::Bytes(lines);
}

void BM_FormImport(benchmark::State& state)
{
    DTest source;
    BuildLargestTest(source);
    const QByteArray bytes = FormOf(source);
    DTest test;
    BuildLargestTest(test);
    for (qint32 s = 0; s < 100; ++s)
    {
        test.subj.List().GetSelected(s).appe.Surname().SetText(Surname(s));
        test.subj.List().GetSelected(s).appe.Name().SetText(Name(s));
    }
    test.desi.New();
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
