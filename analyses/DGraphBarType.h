#pragma once

#include "model/DElemInt.h"

#include <QStringList>
#include <QtGlobal>

class DFileStream;
class QComboBox;

// How the bars of the bar graph count: 0 every choice (total selections),
// 1 every choosing subject once (subject choices). Stored as one byte.
class DGraphBarType
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
    bool IsViewAll() const { return value_.GetValue() == 0; }
    bool IsViewSbj() const { return value_.GetValue() == 1; }

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
