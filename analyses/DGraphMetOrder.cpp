#include "analyses/DGraphMetOrder.h"

#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList DGraphMetOrder::Texts()
{
    const DLanguage& lang = DLanguage::Active();
    return {lang.GetStr(25500), lang.GetStr(25510), lang.GetStr(25520), lang.GetStr(25530), lang.GetStr(25540)};
}

void DGraphMetOrder::Draw(QComboBox* combo) const
{
    EError::Guard("DGraphMetOrder::Draw()",
                  [&]
                  {
                      // Refilling is not a choice of the user: the page must not take it
                      // for one and store it back.
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItems(Texts());
                      const qint32 value = GetValue();
                      combo->setCurrentIndex(value >= 0 && value < kValues ? value : -1);
                  });
}

void DGraphMetOrder::Update(const QComboBox* combo)
{
    EError::Guard("DGraphMetOrder::Update()", [&] { Update(combo->currentIndex()); });
}

void DGraphMetOrder::Update(int index)
{
    EError::Guard("DGraphMetOrder::Update()",
                  [&]
                  {
                      // An empty selection (-1) is no choice and leaves the order alone.
                      if (index >= 0 && index < kValues)
                          value_.SetValue(index, true);
                  });
}

bool DGraphMetOrder::IsAsInList() const
{
    return GetValue() == AsInList;
}

bool DGraphMetOrder::IsAcceptanceInDegree() const
{
    return GetValue() == AcceptanceInDegree;
}

bool DGraphMetOrder::IsAcceptanceOutDegree() const
{
    return GetValue() == AcceptanceOutDegree;
}

bool DGraphMetOrder::IsRejectionInDegree() const
{
    return GetValue() == RejectionInDegree;
}

bool DGraphMetOrder::IsRejectionOutDegree() const
{
    return GetValue() == RejectionOutDegree;
}
