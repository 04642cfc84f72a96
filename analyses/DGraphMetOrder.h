#pragma once

#include "model/DElemInt.h"

#include <QStringList>
#include <QtGlobal>

class DFileStream;
class QComboBox;

// How the rows of the metric table are ordered: as in the subject list, or
// by one of the four indices, largest first. A new test keeps the order.
class DGraphMetOrder
{
public:
    enum Value
    {
        AsInList = 0,
        AcceptanceInDegree = 1,
        AcceptanceOutDegree = 2,
        RejectionInDegree = 3,
        RejectionOutDegree = 4
    };
    static constexpr int kValues = 5;

    // The texts of the drop-down list in value order, in the current language.
    static QStringList Texts();

    // Refills the combo box and selects the stored value (no item for a value
    // read from a file outside 0..4).
    void Draw(QComboBox* combo) const;
    // Stores the selected index as a user change.
    void Update(const QComboBox* combo);
    void Update(int index);

    bool IsAsInList() const;
    bool IsAcceptanceInDegree() const;
    bool IsAcceptanceOutDegree() const;
    bool IsRejectionInDegree() const;
    bool IsRejectionOutDegree() const;

    qint32 GetValue() const { return value_.GetValue(); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    bool IsChangedByUser() const { return value_.IsChangedByUser(); }

    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

    // Value and change state of another order.
    void TakeData(const DGraphMetOrder& other) { value_ = other.value_; }

private:
    DElemInt8 value_;
};
