#include "pages/commands/DCommandValue.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

DCommandValue::DCommandValue(DTest& test, Field field, qint32 index, qint32 before, qint32 after)
    : test_(test), field_(field), index_(index), before_(before), after_(after)
{
    switch (field_)
    {
    case Field::QuesType:
        SetText(26110, DArgs{int(index + 1)});
        break;
    case Field::Sex:
        SetText(26220, DArgs{int(index + 1)});
        break;
    case Field::SubjSort:
        SetText(26320);
        break;
    }
}

qint32 DCommandValue::Value(const DTest& test, Field field, qint32 index)
{
    switch (field)
    {
    case Field::QuesType:
        return test.ques.List().GetSelected(index).type.GetValue();
    case Field::Sex:
        return test.subj.List().GetSelected(index).sex.GetValue();
    case Field::SubjSort:
        break;
    }
    return test.answ.subjSort.GetValue();
}

void DCommandValue::Store(qint32 value)
{
    switch (field_)
    {
    case Field::QuesType:
        test_.ques.List().GetSelected(index_).type.SetValue(value, true);
        break;
    case Field::Sex:
        test_.subj.List().GetSelected(index_).sex.SetValue(value, true);
        break;
    case Field::SubjSort:
        test_.answ.subjSort.SetValue(value, true);
        break;
    }
}
