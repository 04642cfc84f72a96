#include "answers/DAnswSubjSort.h"

#include "model/EError.h"

#include <QRadioButton>
#include <QSignalBlocker>

void DAnswSubjSort::SetSurnameName()
{
    EError::Guard("DAnswSubjSort::SetSurnameName()", [&] { value_.SetValue(0, true); });
}

void DAnswSubjSort::SetNameSurname()
{
    EError::Guard("DAnswSubjSort::SetNameSurname()", [&] { value_.SetValue(1, true); });
}

bool DAnswSubjSort::IsSurnameName() const
{
    return EError::Guard("DAnswSubjSort::IsSurnameName()", [&] { return value_.GetValue() == 0; });
}

void DAnswSubjSort::ToRadioButtons(QRadioButton* surnameName, QRadioButton* nameSurname) const
{
    EError::Guard("DAnswSubjSort::ToRadioButtons()", [&] {
        // Showing the stored order is not a choice of the user.
        const QSignalBlocker blockFirst(surnameName);
        const QSignalBlocker blockSecond(nameSurname);
        // Radio buttons of one group are auto-exclusive: checking one unchecks the other.
        if (IsSurnameName())
            surnameName->setChecked(true);
        else
            nameSurname->setChecked(true);
    });
}

void DAnswSubjSort::FromRadioButtons(const QRadioButton* surnameName, const QRadioButton* nameSurname)
{
    EError::Guard("DAnswSubjSort::FromRadioButtons()", [&] {
        (void)nameSurname;
        if (surnameName->isChecked())
            SetSurnameName();
        else
            SetNameSurname();
    });
}
