#include "analyses/DGraphTarStat.h"

#include "lang/DLanguage.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphTarStat::Texts()
{
    QStringList texts;
    for (const int id : {22120, 22130})
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphTarStat::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphTarStat::Draw()",
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      combo->setCurrentIndex(value_.GetValue());
                  });
}

void DGraphTarStat::Update(const QComboBox* combo)
{
    EError::Guard("DGraphTarStat::Update()",
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index >= 0)
                          value_.SetValue(index, true);
                  });
}
