#include "questions/DQuesElemType.h"

#include "lang/DLanguage.h"
#include "model/EError.h"

QString DQuesElemType::Invert()
{
    return EError::Guard("DQuesElemType::Invert()", [&] {
        value_.SetValue(IsPositive() ? 0 : 1, true);
        return ToString();
    });
}

QString DQuesElemType::ToString() const
{
    return EError::Guard("DQuesElemType::ToString()",
                         [&] { return DLanguage::Active().GetStr(IsPositive() ? 40200 : 40210); });
}
