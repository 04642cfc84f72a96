// Speed targets of the analyses, the test file and the export command, on
// the largest test. bench/run.sh compares the medians with the targets.

#include "analyses/DGraph.h"
#include "analyses/DPicture.h"
#include "app/DFonts.h"
#include "bench/LargestTest.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

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
void BM_ExportSociogramProcess(benchmark::State& state)
{
    Load& load = Largest();
    const QString input = Scratch().filePath(QStringLiteral("export.KalCir"));
    const QString output = Scratch().filePath(QStringLiteral("export.png"));
    load.test.file.Write(input);
    for (auto _ : state)
    {
        QProcess process;
        process.start(QStringLiteral(KC_APP_PATH),
                      {QStringLiteral("--export=sociogram"), QStringLiteral("--lang=en"), input, output});
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
        {
            state.SkipWithError("the export process failed");
            break;
        }
    }
}

constexpr int kRepetitions = 7;

BENCHMARK(BM_BarGraphDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_TargetDiagramDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_MetricTableDraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramDraw)
    ->Args({800, 600})
    ->Args({4000, 4000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SociogramRedraw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_TestFileWriteRead)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportSociogramProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    DFonts::Install();
    DLanguage language(DLanguage::Store::Off);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
