#include "analyses/DGraphBarType.h"

#include "lang/DLanguage.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphBarType::Texts()
{
    QStringList texts;
    for (const int id : {18130, 18140})
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphBarType::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphBarType::Draw()",
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      combo->setCurrentIndex(value_.GetValue());
                  });
}

void DGraphBarType::Update(const QComboBox* combo)
{
    EError::Guard("DGraphBarType::Update()",
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index >= 0)
                          value_.SetValue(index, true);
                  });
}
