#pragma once

#include "model/DElemInt.h"

#include <QStringList>
#include <QtGlobal>

class DFileStream;
class QComboBox;

// Order of the subjects along the bar graph: 0 as in the list, 1 by
// acceptance received, 2 by rejection received (both descending).
class DGraphBarOrder
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
    bool IsAsInList() const { return value_.GetValue() == 0; }
    bool IsAcceptance() const { return value_.GetValue() == 1; }
    bool IsRejection() const { return value_.GetValue() == 2; }

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
