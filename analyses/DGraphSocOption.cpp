#include "analyses/DGraphSocOption.h"

#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QComboBox>
#include <QSignalBlocker>

void DGraphSocOption::DrawCombo(QComboBox* combo) const
{
    EError::Guard(drawModule_,
                  [&]
                  {
                      // Refilling is not a choice of the user: the page's change handler
                      // must not store it back.
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItem(DLanguage::Active().GetStr(firstText_));
                      combo->addItem(DLanguage::Active().GetStr(secondText_));
                      combo->setCurrentIndex(GetValue() == 0 || GetValue() == 1 ? GetValue() : -1);
                  });
}

void DGraphSocOption::UpdateCombo(const QComboBox* combo)
{
    EError::Guard(updateModule_,
                  [&]
                  {
                      const int index = combo->currentIndex();
                      if (index < 0)
                          return; // nothing selected: nothing chosen
                      value_.SetValue(index, true);
                  });
}
