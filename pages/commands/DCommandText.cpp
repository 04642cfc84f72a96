#include "pages/commands/DCommandText.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

DCommandText::DCommandText(DTest& test, Field field, qint32 index, QString before, QString after)
    : test_(test), field_(field), index_(index), before_(std::move(before)), after_(std::move(after))
{
    static constexpr int kTextIds[] = {26100, 26200, 26210, 26230, 26240};
    const int id = kTextIds[int(field)];
    SetText(id, field == Field::Description ? DArgs{} : DArgs{int(index + 1)});
}

DElemString& DCommandText::Element(DTest& test, Field field, qint32 index)
{
    switch (field)
    {
    case Field::QuesText:
        return test.ques.List().GetSelected(index).text;
    case Field::Surname:
        return test.subj.List().GetSelected(index).appe.Surname();
    case Field::Name:
        return test.subj.List().GetSelected(index).appe.Name();
    case Field::Note:
        return test.subj.List().GetSelected(index).note;
    case Field::Description:
        break;
    }
    return test.subj.Description();
}

void DCommandText::undo()
{
    Element(test_, field_, index_).UserRestore(before_);
}

void DCommandText::redo()
{
    Element(test_, field_, index_).UserRestore(after_);
}
