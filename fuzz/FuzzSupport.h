#pragma once

#include "document/DFileKalCir.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

// What the fuzz targets share: the fuzzer's bytes as a device, the readers
// run on it, and the one way a target reports a fault it noticed itself.
namespace FuzzSupport
{
// Once per run, after the application object: errors carry their message in
// the active language, and one for the whole run, without the settings
// store, keeps every input as cheap as the next. Qt's warnings about damaged
// input (a seek past the end, say) are expected by the thousand and would
// only slow the run down; critical and fatal messages still show.
inline void Initialize()
{
    static DLanguage language(DLanguage::Store::Off);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message)
        {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
}

// The fuzzer's bytes, not copied: they live until the input is done.
inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A fault the target's own checks found: said plainly, then the crash the
// fuzzer saves the input for.
[[noreturn]] inline void Fail(const QString& what)
{
    std::fprintf(stderr, "FAULT: %s\n", qPrintable(what));
    std::fflush(stderr);
    std::abort();
}

// Whether an error has the form every unexpected failure takes (an exception
// other than EError, or a broken invariant, that a guard turned into EError):
// code that met what it did not expect, never a verdict on the file.
inline bool IsFailure(const EError& error)
{
    static const QString marker = QStringLiteral("\x01");
    static const QString form = DLanguage::Active().GetErr(50020, {marker});
    static const qsizetype at = form.indexOf(marker);
    return error.Message().startsWith(form.left(at)) && error.Message().endsWith(form.mid(at + marker.size()));
}

// Runs work; false when it raised EError, the answer to a damaged file,
// unless the error is an unexpected failure, which is a fault. Anything
// other than EError escapes to the fuzzer, which reports it.
template <class F> bool Try(F&& work)
{
    try
    {
        work();
        return true;
    }
    catch (const EError& error)
    {
        if (IsFailure(error))
            Fail(error.Message());
        return false;
    }
}

using Reader = void (DFileKalCir::*)(QIODevice&, const QString&);

// Reads bytes into test with one of the file's readers, from memory.
inline bool Read(DTest& test, const QByteArray& bytes, Reader reader)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        std::abort();
    return Try([&] { (test.file.*reader)(buffer, QStringLiteral("fuzz.KalCir")); });
}

// The class the text targets read names and answers against: three
// questions (the last negative) of three answers, and twelve subjects whose
// names invite every kind of match: namesakes, accents, a compound surname,
// a name written in two orders, a subject without a name.
inline void BuildClass(DTest& test)
{
    test.ques.List().SetSize(3, false);
    test.ques.List().GetSelected(2).type.SetValue(0, false);
    test.answ.num.SetValue(3, false);
    const char16_t* names[][2] = {
        {u"Rossi", u"Anna"},  {u"Rossi", u"Luca"},   {u"Bianchi", u"Élodie"}, {u"De Luca", u"Marco"},
        {u"Marco", u"Luca"},  {u"Ferrari", u"Anna"}, {u"Neri", u""},          {u"", u""},
        {u"Conti", u"Sofia"}, {u"Conti", u"Sofia"},  {u"O'Brien", u"Seán"},   {u"Esposito", u"Giulia"}};
    const qint32 count = qint32(std::size(names));
    test.subj.List().SetSize(count, false);
    for (qint32 i = 0; i < count; ++i)
    {
        test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf16(names[i][0]));
        test.subj.List().GetSelected(i).appe.Name().SetText(QString::fromUtf16(names[i][1]));
    }
    test.desi.SetDesi(1, 1, 1, 3);
    test.desi.SetDesi(1, 2, 1, 12);
    test.desi.SetDesi(3, 1, 2, 1);
}

// The file of the class of BuildClass, written once, for a target to read
// afresh for every input.
inline const QByteArray& ClassBytes()
{
    static const QByteArray bytes = []
    {
        DTest test;
        BuildClass(test);
        return test.file.ToBytes();
    }();
    return bytes;
}
} // namespace FuzzSupport
