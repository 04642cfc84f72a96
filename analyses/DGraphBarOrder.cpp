#include "analyses/DGraphBarOrder.h"

#include "lang/DLanguage.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphBarOrder::Texts()
{
    QStringList texts;
    for (const int id : {18320, 18330, 18340})
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphBarOrder::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphBarOrder::Draw()",
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      combo->setCurrentIndex(value_.GetValue());
                  });
}

void DGraphBarOrder::Update(const QComboBox* combo)
{
    EError::Guard("DGraphBarOrder::Update()",
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index >= 0)
                          value_.SetValue(index, true);
                  });
}
