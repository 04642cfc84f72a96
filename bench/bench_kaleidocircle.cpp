// Speed targets of the analyses, the test file and the export command, on
// the largest test, and memory targets of reading test files. bench/run.sh
// compares the medians and the peaks with the targets.

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphIndices.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
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

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

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

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in KiB; -1 when
// missing. Read with plain system calls: the measure must not allocate.
long StatusKiB(const char* field)
{
    char text[4096];
    const int fd = ::open("/proc/self/status", O_RDONLY);
    if (fd < 0)
        return -1;
    const ssize_t size = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (size <= 0)
        return -1;
    text[size] = '\0';
    const char* line = std::strstr(text, field);
    return line ? std::strtol(line + std::strlen(field), nullptr, 10) : -1;
}

// How far work raises the resident memory above where it starts, in KiB;
// -1 when it cannot be measured or work fails. The work runs in a child
// process whose high-water mark is first reset to its current size, so
// earlier benchmarks and later frees cannot hide its peak.
long PeakGrowthKiB(const std::function<bool()>& work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::close(fds[0]);
        long growth = -1;
        const int refs = ::open("/proc/self/clear_refs", O_WRONLY);
        if (refs >= 0 && ::write(refs, "5", 1) == 1)
        {
            const long start = StatusKiB("VmRSS:");
            if (work())
                growth = StatusKiB("VmHWM:") - start;
        }
        if (::write(fds[1], &growth, sizeof growth) != sizeof growth)
            growth = -1;
        ::_exit(0);
    }
    ::close(fds[1]);
    long growth = -1;
    if (child < 0 || ::read(fds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    ::close(fds[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return growth;
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
BENCHMARK(BM_BarePngProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadSparse2GBMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadLargestMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
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
