#pragma once

#include <QPushButton>

// A command button of a dialog that calls a handler of the dialog; never the
// default button, so that Enter still means OK.
class DCommandButton
{
public:
    template <class Form>
    static QPushButton* Make(QWidget* parent, const char* name, Form* form, void (Form::*handler)())
    {
        auto* button = new QPushButton(parent);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, form, handler);
        return button;
    }
};
