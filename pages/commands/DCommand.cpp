#include "pages/commands/DCommand.h"

#include "lang/DLanguage.h"

void DCommand::SetText(int id, DArgs args)
{
    textId_ = id;
    textArgs_ = std::move(args);
    Retranslate();
}

void DCommand::Retranslate()
{
    if (textId_ != 0)
        setText(DLanguage::Active().GetMsg(textId_, textArgs_));
}
