#include "analyses/DGraphTarSubjDim.h"

#include "lang/DLanguage.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphTarSubjDim::Texts()
{
    QStringList texts;
    for (const int id : {22320, 22330})
        texts << DLanguage::Active().GetStr(id);
    return texts;
}

void DGraphTarSubjDim::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphTarSubjDim::Draw()",
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      combo->setCurrentIndex(value_.GetValue());
                  });
}

void DGraphTarSubjDim::Update(const QComboBox* combo)
{
    EError::Guard("DGraphTarSubjDim::Update()",
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index >= 0)
                          value_.SetValue(index, true);
                  });
}
