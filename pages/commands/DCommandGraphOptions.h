#pragma once

#include "pages/commands/DCommand.h"

#include <QUndoCommand>
#include <QtGlobal>

#include <array>
#include <functional>
#include <vector>

class DTest;

// A change of the analyses' options: a drop-down choice, the sociogram's
// size or a question's check mark in an analysis. The options take a few
// dozen bytes, so the step keeps them all from before and after and writes
// back only those that differ.
class DCommandGraphOptions : public DCommand
{
public:
    static constexpr std::size_t kOptions = 10;
    struct State
    {
        // Bar type, order, scale; target categorisation, subject size;
        // sociogram type, subject size, moving mode; metrics order; the
        // scores of the bar graph and the metric table.
        std::array<qint32, kOptions> options{};
        qint32 width = 0;
        qint32 height = 0;
        // The sociogram's drawing options (DGraphSocLook::Flags).
        qint32 look = 0;
        // Four analysis flags per question.
        std::vector<qint32> flags;
        bool operator==(const State&) const = default;
    };
    static State Capture(const DTest& test);

    using Push = std::function<void(QUndoCommand*)>;
    // Runs the change between two captures of the options and hands the step
    // to push when they differ; an error of the change passes on, as the
    // options refuse a value before storing it.
    static void Run(DTest& test, int textId, const std::function<void()>& change, const Push& push);

    // textId: the analysis whose options changed.
    DCommandGraphOptions(DTest& test, int textId, State before, State after);

    void undo() override { Apply(before_, after_); }
    void redo() override { Apply(after_, before_); }

private:
    // Stores the values of to that differ from those of from.
    void Apply(const State& to, const State& from);

    DTest& test_;
    State before_;
    State after_;
};
