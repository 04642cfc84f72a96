#include "answers/DAnswNum.h"

#include "answers/DDesi.h"
#include "model/DFileStream.h"
#include "model/EError.h"

DAnswNum::DAnswNum(DDesi& desi) : desi_(desi) {}

void DAnswNum::SetValue(qint32 value, bool byUser)
{
    EError::Guard("DAnswNum::SetValue()", [&] {
        value_.SetValue(value, byUser);
        desi_.SetAnsw(value);
    });
}

void DAnswNum::SetFromText(const QString& text)
{
    EError::Guard("DAnswNum::SetFromText()", [&] {
        bool ok = false;
        qint32 n = text.trimmed().toInt(&ok);
        if (!ok)
            n = -1;
        if (n < kMin || n > kMax)
            throw EError(50060, {kMin, kMax});
        SetValue(n, true);
    });
}

void DAnswNum::ToFile(DFileStream& stream)
{
    value_.ToFile(stream);
}

void DAnswNum::FromFile(DFileStream& stream)
{
    DElemInt32 read;
    read.FromFile(stream);
    if (read.GetValue() < kMin || read.GetValue() > kMax)
        throw EError(60020, {stream.Path()});
    SetValue(read.GetValue(), false);
}
