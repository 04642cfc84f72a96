#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One argument of a formatted message: an integer for %d or a text for %s.
class DArg
{
public:
    DArg(int value) : isInt_(true), int_(value) {}
    DArg(const QString& text) : isInt_(false), int_(0), text_(text) {}
    DArg(const char* text) : isInt_(false), int_(0), text_(QString::fromUtf8(text)) {}

    bool IsInt() const { return isInt_; }
    int Int() const { return int_; }
    const QString& Text() const { return text_; }

private:
    bool isInt_;
    int int_;
    QString text_;
};

using DArgs = QList<DArg>;
Q_DECLARE_METATYPE(DArgs)
