// Speed targets of the analyses, the test file and the export command, on
// the largest test, and memory targets of reading test files. bench/run.sh
// compares the medians and the peaks with the targets.

#include "analyses/DComparison.h"
#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphIndices.h"
#include "analyses/DGraphPainting.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DGraphSocOverlay.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DGroupProblem.h"
#include "analyses/DGroupSettings.h"
#include "analyses/DGroupSolver.h"
#include "analyses/DPicture.h"
#include "bench/BenchSupport.h"
#include "bench/ClassTest.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "export/DClassReport.h"
#include "export/DPictureFile.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// One document with its analyses, built once for all benchmarks.
struct Load
{
    DTest test;
    DGraph& graph = test.graph;
    Load() { BuildLargestTest(test); }
};

Load& Largest()
{
    static Load load;
    return load;
}

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_BarGraphDraw(benchmark::State& state)
{
    Load& load = Largest();
    for (auto _ : state)
    {
        QImage picture = DPicture::Make(1000, 1000);
        load.graph.bar.Draw(picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_TargetDiagramDraw(benchmark::State& state)
{
    Load& load = Largest();
    for (auto _ : state)
    {
        QImage picture = DPicture::Make(1000, 1000);
        load.graph.tar.Draw(picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// The categories table (every scheme, the binomial tails included) and the
// group indices, as the target page fills its panel. Aim: 10 ms.
void BM_CategoriesAndIndices(benchmark::State& state)
{
    Load& load = Largest();
    for (auto _ : state)
    {
        const std::vector<DGraphTarTable::Row> rows = DGraphTarTable::Rows(load.graph);
        const DGraphIndices indices = DGraphIndices::Of(load.graph);
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(&indices);
    }
}

// Two largest tests of the same class compared: every name matched, the
// categories of both and the ties of both sociograms. The names run the
// other way round in the second test, and its choices are shifted, so that
// every row and tie is worked out. Aim: 20 ms.
void BM_CompareLargest(benchmark::State& state)
{
    static const auto tests = []
    {
        auto pair = std::make_unique<std::array<DTest, 2>>();
        for (int t = 0; t < 2; ++t)
        {
            DTest& test = (*pair)[std::size_t(t)];
            BuildLargestTest(test);
            for (qint32 s = 0; s < 100; ++s)
            {
                const qint32 k = t == 0 ? s : 99 - s;
                DSubjElem& subject = test.subj.List().GetSelected(s);
                subject.appe.Surname().SetText(QStringLiteral("Surname%1").arg(k));
                subject.appe.Name().SetText(QStringLiteral("Name%1").arg(k));
            }
        }
        for (qint32 s = 1; s <= 100; ++s)
            (*pair)[1].desi.SetDesi(1, 1, s, s % 100 + 1);
        return pair;
    }();
    for (auto _ : state)
    {
        const DComparison comparison = DComparison::Of((*tests)[0].graph, (*tests)[1].graph);
        benchmark::DoNotOptimize(comparison.rows.data());
    }
}

void BM_MetricTableDraw(benchmark::State& state)
{
    Load& load = Largest();
    for (auto _ : state)
    {
        QImage picture = DPicture::Make(1000, 1000);
        load.graph.met.Draw(picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// Full drawing of the sociogram at width x height (state ranges).
void BM_SociogramDraw(benchmark::State& state)
{
    Load& load = Largest();
    load.graph.soc.size.Set(static_cast<qint32>(state.range(0)), static_cast<qint32>(state.range(1)), false);
    QSize drawn;
    for (auto _ : state)
    {
        QImage picture = DPicture::Make(1000, 1000);
        load.graph.soc.Draw(picture);
        benchmark::DoNotOptimize(picture.constBits());
        drawn = picture.size();
    }
    // Measured at the size asked for, not at a default one.
    if (drawn.width() <= state.range(0) || drawn.height() <= state.range(1))
        state.SkipWithError("the sociogram was drawn smaller than asked");
}

// The redraw while a subject box is dragged, after one full drawing.
void BM_SociogramRedraw(benchmark::State& state)
{
    Load& load = Largest();
    load.graph.soc.size.Set(800, 600, false);
    // The sociogram keeps drawing into this picture; it lives as long as the load.
    static QImage picture = DPicture::Make(1000, 1000);
    load.graph.soc.Draw(picture);
    for (auto _ : state)
    {
        load.graph.soc.Draw();
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// A hover change at 4000 x 4000, as the sociogram page does it: the strips
// the previous subject's overlay covered are copied back from the background
// and the next subject's overlay is painted.
void BM_SociogramHover(benchmark::State& state)
{
    Load& load = Largest();
    DGraphSoc& soc = load.graph.soc;
    soc.size.Set(4000, 4000, false);
    static QImage picture = DPicture::Make(1000, 1000);
    soc.Draw(picture);
    DGraphSocOverlay overlay;
    std::vector<DSubjElem>& subjects = load.test.subj.List().Get();
    std::size_t k = 0;
    for (auto _ : state)
    {
        overlay.Restore(picture, soc.Bitmap());
        soc.Sel().New(subjects[k++ % subjects.size()]);
        overlay.Draw(picture, soc);
        benchmark::DoNotOptimize(picture.constBits());
    }
    soc.Sel().Clear();
}

// The sociogram saved as SVG, with its caption, as the page's Save picture
// as... and the command line write it (the writing to disk left out).
void BM_SociogramSvg(benchmark::State& state)
{
    Load& load = Largest();
    load.graph.soc.size.Set(800, 600, false);
    const QStringList caption = DGraphPainting::CaptionLines(DGraphPainting::Analysis::Sociogram, load.graph,
                                                             QStringLiteral("largest.KalCir"), QDate(2026, 12, 11));
    for (auto _ : state)
    {
        const QByteArray svg = DPictureFile::Bytes(
            DPictureFile::Format::Svg,
            DGraphPainting::Of(DGraphPainting::Analysis::Sociogram, load.graph).WithCaption(caption));
        benchmark::DoNotOptimize(svg.constData());
    }
}

// A move of a dragged box at 4000 x 4000, once the background without it
// was drawn.
void BM_SociogramDragMove(benchmark::State& state)
{
    Load& load = Largest();
    DGraphSoc& soc = load.graph.soc;
    soc.size.Set(4000, 4000, false);
    static QImage picture = DPicture::Make(1000, 1000);
    std::vector<DSubjElem>& subjects = load.test.subj.List().Get();
    DSubjElem& dragged = subjects[subjects.size() / 2];
    const QPoint from = soc.SubjOrigGet(dragged);
    soc.Sel().New(dragged);
    soc.Sel().MoveStart(0, 0);
    soc.Draw(picture);
    DGraphSocOverlay overlay;
    int k = 0;
    for (auto _ : state)
    {
        overlay.Restore(picture, soc.Bitmap());
        const int step = k++ % 16;
        soc.SubjOrig(dragged).Set(false, from.x() + 3 * step, from.y() + 2 * step);
        overlay.Draw(picture, soc);
        benchmark::DoNotOptimize(picture.constBits());
    }
    soc.SubjOrig(dragged).Set(false, from.x(), from.y());
    soc.Sel().MoveStop();
    soc.Sel().Clear();
}

// Arrange on a test at width x height (state ranges 0 and 1) by the kind in
// range 2, from the grid the sociogram starts with. Reports the line
// crossings of that grid and of the arrangement.
void Arrange(benchmark::State& state, DTest& test)
{
    DGraphSoc& soc = test.graph.soc;
    soc.size.Set(static_cast<qint32>(state.range(0)), static_cast<qint32>(state.range(1)), false);
    QImage picture;
    soc.Draw(picture);
    std::vector<QPoint> grid;
    for (const DSubjElem& subject : test.subj.List().Get())
        grid.push_back(soc.SubjOrigGet(subject));
    const auto kind = static_cast<DGraphSocArrange::Kind>(state.range(2));
    std::vector<QPoint> arranged;
    for (auto _ : state)
    {
        arranged = DGraphSocArrange::Arrange(soc, test.subj.List(), kind, {});
        benchmark::DoNotOptimize(arranged.data());
    }
    const std::vector<DGraphSocArrange::Tie> ties = DGraphSocArrange::Ties(soc, test.subj.List().Get());
    // A label, not counters: the CSV report takes counters only when every
    // benchmark of the run has the same ones.
    state.SetLabel(QStringLiteral("crossings grid=%1 arranged=%2")
                       .arg(DGraphSocArrange::Crossings(grid, ties))
                       .arg(DGraphSocArrange::Crossings(arranged, ties))
                       .toStdString());
}

void BM_ArrangeLargest(benchmark::State& state)
{
    Arrange(state, Largest().test);
}

void BM_ArrangeClass(benchmark::State& state)
{
    static DTest test;
    BuildClassTest(test);
    Arrange(state, test);
}

void BM_TestFileWriteRead(benchmark::State& state)
{
    Load& load = Largest();
    const QString path = Scratch().filePath(QStringLiteral("largest.KalCir"));
    DTest copy;
    for (auto _ : state)
    {
        load.test.file.Write(path);
        copy.file.Read(path);
    }
}

// One whole export process, from start to exit, as a user or a script runs it.
// One whole export process of the largest test, start to exit.
void ExportProcess(benchmark::State& state, const char* kind, const char* outputName)
{
    Load& load = Largest();
    const QString input = Scratch().filePath(QStringLiteral("export.KalCir"));
    const QString output = Scratch().filePath(QLatin1String(outputName));
    // The sociogram at the size the test was built with: the benchmarks of
    // hovering and dragging leave it at 4000 x 4000, which would make this
    // one time the encoding of a picture some 30 times larger, depending on which
    // benchmarks ran before.
    load.graph.soc.size = DGraphSocSize();
    load.test.file.Write(input);
    for (auto _ : state)
    {
        QProcess process;
        process.start(QStringLiteral(KC_APP_PATH),
                      {QStringLiteral("--export=") + QLatin1String(kind), QStringLiteral("--lang=en"), input, output});
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
        {
            state.SkipWithError("the export process failed");
            break;
        }
    }
}

void BM_ExportSociogramProcess(benchmark::State& state)
{
    ExportProcess(state, "sociogram", "export.png");
}

// The class report of the largest test, in memory, and as a whole process
// that writes it.
void BM_ClassReport(benchmark::State& state)
{
    Load& load = Largest();
    for (auto _ : state)
    {
        const QByteArray pdf = DClassReport::Pdf(load.test, QStringLiteral("largest.KalCir"), QDate(2026, 12, 11));
        benchmark::DoNotOptimize(pdf.constData());
    }
}

void BM_ExportReportProcess(benchmark::State& state)
{
    ExportProcess(state, "report", "report.pdf");
}

// The bare Qt program that paints and saves a small PNG: the yardstick of
// the export process, run in the same session so both see the same machine.
void BM_BarePngProcess(benchmark::State& state)
{
    const QString output = Scratch().filePath(QStringLiteral("bare.png"));
    for (auto _ : state)
    {
        QProcess process;
        process.start(QStringLiteral(KC_BARE_PNG_PATH), {output});
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
        {
            state.SkipWithError("the bare Qt program failed");
            break;
        }
    }
}

// Reads path into a new document in a child process and labels the run
// with its peak growth and the limit; bench/run.sh checks the two.
void MeasureRead(benchmark::State& state, const QString& path, bool readable, long limitKiB)
{
    DTest test;
    long growth = -1;
    for (auto _ : state)
        growth = PeakGrowthKiB(
            [&]
            {
                try
                {
                    test.file.Read(path);
                    return readable;
                }
                catch (const EError&)
                {
                    return !readable;
                }
            });
    if (growth < 0)
        state.SkipWithError("the read could not be measured or did not end as expected");
    else
        state.SetLabel(QStringLiteral("peak_kib=%1 limit_kib=%2").arg(growth).arg(limitKiB).toStdString());
}

// A class as teachers test it: two questions, one positive and one negative,
// three answers each, drawn from a fixed seed; every other subject female.
void BuildClassTest(DTest& test, qint32 subjects)
{
    test.New();
    test.ques.List().SetSize(2, false);
    test.ques.List().GetSelected(1).type.SetValue(0, false);
    test.answ.num.SetValue(3, false);
    test.subj.List().SetSize(subjects, false);
    std::mt19937 random(20261210u + quint32(subjects));
    for (qint32 s = 1; s <= subjects; ++s)
    {
        test.subj.List().GetSelected(s - 1).sex.SetValue(s % 2, false);
        for (qint32 q = 1; q <= 2; ++q)
            for (qint32 r = 1; r <= 3; ++r)
                test.desi.SetDesi(q, r, s, (s + qint32(random() % quint32(subjects - 1))) % subjects + 1);
    }
}

// Groups of four with the sexes balanced: the first proposal of a class
// of 30 and of 100 (state.range(0) subjects).
void BM_GroupsSolve(benchmark::State& state)
{
    DTest test;
    BuildClassTest(test, qint32(state.range(0)));
    DGroupSettings settings;
    settings.balanceSexes = true;
    const DGroupProblem problem = DGroupProblem::FromTest(test.desi, test.subj.List(), settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(DGroupSolver::Solve(problem).score.acceptances);
}

// The largest test, where each subject accepts half the class: its positive
// questions in groups of four.
void BM_GroupsSolveLargest(benchmark::State& state)
{
    DGroupSettings settings;
    for (qint32 q = 5; q < 10; ++q)
        settings.SetQuestion(q, false);
    const DGroupProblem problem = DGroupProblem::FromTest(Largest().test.desi, Largest().test.subj.List(), settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(DGroupSolver::Solve(problem).score.acceptances);
}

// Pairs, the exact optimum by a maximum-weight matching, with the sexes
// balanced: a class of 100 (50 pairs) and of 99 (one group of three, the
// best subject added to the best pairing of the others).
void BM_GroupsPairs(benchmark::State& state)
{
    DTest test;
    BuildClassTest(test, qint32(state.range(0)));
    DGroupSettings settings;
    settings.value = 2;
    settings.balanceSexes = true;
    const DGroupProblem problem = DGroupProblem::FromTest(test.desi, test.subj.List(), settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(DGroupSolver::Solve(problem).score.acceptances);
}

// A test file whose first surname claims about 10^9 code units, made 2 GB
// large without taking the disk space: no text may cost what the file's
// size would allow.
void BM_ReadSparse2GBMemory(benchmark::State& state)
{
    const QString path = Scratch().filePath(QStringLiteral("sparse.KalCir"));
    QByteArray bytes = Largest().test.file.ToBytes();
    const qint64 subjects = qFromLittleEndian<qint64>(bytes.constData() + 62);
    // The description is empty: the first surname's count follows it and the number of subjects.
    qToLittleEndian<qint32>(1070000000, bytes.data() + subjects + 8);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.resize(qint64(2) * 1024 * 1024 * 1024))
    {
        state.SkipWithError("cannot make the sparse file");
        return;
    }
    file.close();
    MeasureRead(state, path, /*readable=*/false, 64 * 1024);
    QFile::remove(path);
}

// The largest file the program writes: the largest test with every text at
// its longest.
void BM_ReadLargestMemory(benchmark::State& state)
{
    const QString path = Scratch().filePath(QStringLiteral("longest.KalCir"));
    {
        DTest test;
        BuildLargestTest(test);
        FillLongestTexts(test);
        test.file.Write(path);
    }
    MeasureRead(state, path, /*readable=*/true, long(3 * QFileInfo(path).size() / 1024));
    QFile::remove(path);
}

constexpr int kRepetitions = 7;

BENCHMARK(BM_BarGraphDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_TargetDiagramDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_CategoriesAndIndices)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CompareLargest)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_MetricTableDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramDraw)
    ->Args({800, 600})
    ->Args({4000, 4000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramSvg)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramRedraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramHover)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramDragMove)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
// Kinds: 0 by ties, 1 in rings (too many boxes for rings at 800 x 600).
BENCHMARK(BM_ArrangeLargest)
    ->Args({800, 600, 0})
    ->Args({4000, 4000, 0})
    ->Args({4000, 4000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ArrangeClass)
    ->Args({800, 600, 0})
    ->Args({800, 600, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TestFileWriteRead)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportSociogramProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ClassReport)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportReportProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BarePngProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GroupsSolve)
    ->Arg(30)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GroupsPairs)
    ->Arg(100)
    ->Arg(99)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GroupsSolveLargest)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadSparse2GBMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadLargestMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, DFonts::Install);
}
