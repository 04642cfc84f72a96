#include "subjects/DSubjElemSex.h"

#include "lang/DLanguage.h"

QString DSubjElemSex::Invert()
{
    return EError::Guard("DSubjElemSex::Invert()",
                         [&]
                         {
                             value_.SetValue(IsFemale() ? 1 : 0, true);
                             return ToString();
                         });
}

QString DSubjElemSex::ToString() const
{
    return DLanguage::Active().GetStr(IsFemale() ? 40120 : 40130);
}
