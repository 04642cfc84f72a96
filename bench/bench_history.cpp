// Speed and memory targets of the history of changes on the largest test:
// undo and redo of one answer and of one sociogram move, and the memory of
// 10,000 steps. bench/run.sh compares the medians and the peak with the
// targets.

#include "bench/BenchSupport.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "pages/commands/DCommandAnswer.h"
#include "pages/commands/DCommandSocMove.h"

#include <QGuiApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace
{
// Picks another subject as answer r of question q for subject s, as the
// answers page does, and pushes the step.
void PushAnswer(DTest& test, QUndoStack& stack, qint32 q, qint32 r, qint32 s)
{
    const qint32 before = test.desi.GetDesi(q, r, s);
    const qint32 after = before % 100 + 1 == s ? (before + 1) % 100 + 1 : before % 100 + 1;
    test.desi.SetDesi(q, r, s, after);
    stack.push(new DCommandAnswer(test, q, r, s, before, after));
}

// Drags subject s's box of the acceptance sociogram by (dx, dy), as the
// sociogram page does, and pushes the step.
void PushMove(DTest& test, QUndoStack& stack, qint32 s, int dx, int dy)
{
    DSubjElemSociOrig& orig = test.subj.List().GetSelected(s).soci.acceptance;
    const QPoint before = orig.Get();
    const QPoint after = before + QPoint(dx, dy);
    orig.Set(true, after.x(), after.y());
    stack.push(new DCommandSocMove(test, true, {{s, before, after}}));
}

void UndoRedo(benchmark::State& state, const std::function<void(DTest&, QUndoStack&)>& push)
{
    DTest test;
    BuildLargestTest(test);
    QUndoStack stack;
    push(test, stack);
    for (auto _ : state)
    {
        stack.undo();
        stack.redo();
    }
}

void BM_UndoRedoAnswer(benchmark::State& state)
{
    UndoRedo(state, [](DTest& test, QUndoStack& stack) { PushAnswer(test, stack, 7, 4, 63); });
}

void BM_UndoRedoSociogramMove(benchmark::State& state)
{
    UndoRedo(state, [](DTest& test, QUndoStack& stack) { PushMove(test, stack, 41, 25, -12); });
}

// 10,000 steps, answers and moves in turn, over the whole largest test: the
// peak the history adds to the test itself.
void BM_History10000StepsMemory(benchmark::State& state)
{
    DTest test;
    BuildLargestTest(test);
    long growth = -1;
    for (auto _ : state)
        growth = PeakGrowthKiB(
            [&]
            {
                QUndoStack stack;
                for (int k = 0; k < 10000; ++k)
                {
                    const qint32 s = k % 100;
                    if (k % 2 == 0)
                        PushAnswer(test, stack, k / 100 % 10 + 1, k / 1000 + 1, s + 1);
                    else
                        PushMove(test, stack, s, 1, 1);
                }
                return stack.count() == 10000;
            });
    if (growth < 0)
        state.SkipWithError("the history could not be measured or lost steps");
    else
        state.SetLabel(QStringLiteral("peak_kib=%1 limit_kib=%2").arg(growth).arg(50 * 1024).toStdString());
}

constexpr int kRepetitions = 7;

BENCHMARK(BM_UndoRedoAnswer)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_UndoRedoSociogramMove)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_History10000StepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv);
}
