#include "analyses/DGraphOption.h"

#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphOption::Texts() const
{
    QStringList texts;
    for (const int id : textIds_)
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphOption::Draw(QComboBox* combo) const
{
    EError::Guard(drawModule_,
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      const qint32 value = GetValue();
                      combo->setCurrentIndex(value >= 0 && value < qint32(textIds_.size()) ? value : -1);
                  });
}

void DGraphOption::Update(const QComboBox* combo)
{
    EError::Guard(updateModule_, [&] { Choose(combo->currentIndex()); });
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
