#pragma once

#include "model/DElemInt.h"

#include <QtGlobal>

class DFileStream;
class QComboBox;

// A sociogram option of two values offered in a drop-down list: one stored
// 8-bit element, default 0. The derived options name their operations in
// error messages.
class DGraphSocOption
{
public:
    qint32 GetValue() const { return value_.GetValue(); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

protected:
    DGraphSocOption(int firstText, int secondText, const char* drawModule, const char* updateModule)
        : firstText_(firstText), secondText_(secondText), drawModule_(drawModule), updateModule_(updateModule)
    {
    }

    // Refills the list with the two texts and selects the current value.
    void DrawCombo(QComboBox* combo) const;
    // The selected index becomes the value, as a user change.
    void UpdateCombo(const QComboBox* combo);

private:
    DElemInt8 value_;
    int firstText_;
    int secondText_;
    const char* drawModule_;
    const char* updateModule_;
};
