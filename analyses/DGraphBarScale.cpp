#include "analyses/DGraphBarScale.h"

#include "lang/DLanguage.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphBarScale::Texts()
{
    QStringList texts;
    for (const int id : {18420, 18430, 18440, 18450, 18460})
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphBarScale::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphBarScale::Draw()",
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      combo->setCurrentIndex(value_.GetValue());
                  });
}

void DGraphBarScale::Update(const QComboBox* combo)
{
    EError::Guard("DGraphBarScale::Update()",
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index >= 0)
                          value_.SetValue(index, true);
                  });
}

qint32 DGraphBarScale::GetDivisor() const
{
    const qint32 value = value_.GetValue();
    return value >= 0 && value <= 4 ? 1 << value : 1;
}
