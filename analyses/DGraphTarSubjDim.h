#pragma once

#include "model/DElemInt.h"

#include <QStringList>
#include <QtGlobal>

class DFileStream;
class QComboBox;

// Size of the subject boxes of the target diagram: 0 large (identifier and
// name), 1 small (identifier only). The cell is the room a subject takes
// along a ring and the width of one ring.
class DGraphTarSubjDim
{
public:
    // The option texts in value order, in the current language.
    static QStringList Texts();

    // Refills the combo box with Texts() and selects the stored value. The
    // combo box signals nothing meanwhile: this is the program's doing.
    void Draw(QComboBox* combo) const;
    // Stores the selected index as a change by the user; a combo box with no
    // selection changes nothing.
    void Update(const QComboBox* combo);

    qint32 GetValue() const { return value_.GetValue(); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    bool IsLarge() const { return value_.GetValue() == 0; }
    qint32 GetCel() const { return IsLarge() ? 64 : 44; }
    qint32 GetSbj() const { return IsLarge() ? 44 : 28; }

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
