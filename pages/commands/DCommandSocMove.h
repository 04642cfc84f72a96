#pragma once

#include "analyses/DGraphSocRings.h"
#include "pages/commands/DCommand.h"
#include <QPoint>

#include <QUndoCommand>
#include <QtGlobal>

#include <optional>
#include <vector>

class DTest;

// Boxes moved in one of the two sociograms: one dragged box, or every box an
// arrangement placed, as one step. Only the positions are kept.
class DCommandSocMove : public DCommand
{
public:
    struct Move
    {
        qint32 subject; // index in the subject list, from 0
        QPoint before;
        QPoint after;
    };

    // The sociogram's rings before and after an arrangement.
    struct Rings
    {
        DGraphSocRings::Ring before;
        DGraphSocRings::Ring after;
    };

    // acceptance: the sociogram of acceptances, otherwise that of rejections;
    // arrangement: the moves of an automatic arrangement, named as such even
    // when it moved a single box; rings: the rings it drew or took away.
    DCommandSocMove(DTest& test, bool acceptance, std::vector<Move> moves, bool arrangement = false,
                    std::optional<Rings> rings = std::nullopt);

    void undo() override;
    void redo() override;

private:
    void Place(bool after);

    DTest& test_;
    bool acceptance_;
    std::vector<Move> moves_;
    std::optional<Rings> rings_;
};
