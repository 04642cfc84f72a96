#include "analyses/DGraphOption.h"

#include "lang/DLanguage.h"
#include "model/EError.h"

QStringList DGraphOption::Texts() const
{
    QStringList texts;
    for (const int id : textIds_)
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphOption::Choose(int index)
{
    if (index >= 0 && index < int(textIds_.size()))
        value_.SetValue(index, true);
}

void DGraphOption::FromFileOrDefault(DFileStream& stream)
{
    value_.FromFile(stream);
    if (GetValue() < 0 || GetValue() >= qint32(textIds_.size()))
        value_.SetValue(0, false);
}

void DGraphOption::TakeData(const DGraphOption& other)
{
    // The texts are the kind's own static array, so the same kind shares it.
    Q_ASSERT(textIds_.data() == other.textIds_.data());
    value_ = other.value_;
}
