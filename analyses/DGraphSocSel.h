#pragma once

#include <QtGlobal>

#include <vector>

class DSubjElem;

// The subject under the mouse or being dragged on the sociogram.
class DGraphSocSel
{
public:
    // The subject becomes the selection; moving and offset stay.
    void New(DSubjElem& subject);
    void Clear();
    bool ThereIs() const { return subject_ != nullptr; }
    // Raises 50020 when nothing is selected.
    DSubjElem& Get() const;
    bool Is(const DSubjElem& subject) const;

    // Grab offset: mouse position minus the subject's position.
    void MoveStart(qint32 dx, qint32 dy);
    void MoveStop() { moving_ = false; }
    bool IsMoving() const { return moving_; }
    qint32 Dx() const { return dx_; }
    qint32 Dy() const { return dy_; }

    // The selection holds a record of the subject list; after that list was
    // rebuilt the record is found again by its identifier, or the selection
    // is cleared. The old record is never read.
    void Refind(std::vector<DSubjElem>& subjects);

private:
    DSubjElem* subject_ = nullptr;
    qint32 id_ = 0;
    bool moving_ = false;
    qint32 dx_ = 0;
    qint32 dy_ = 0;
};
