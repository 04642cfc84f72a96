// Writes the seed corpus of the file fuzzer: a few valid tests of different
// shapes (one with a tagged section), into the directory given as the only
// argument.

#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DLanguage language(DLanguage::Store::Off);
    if (argc != 2)
    {
        std::fputs("usage: kc_fuzz_corpus DIRECTORY\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    try
    {
        DTest test;
        test.file.Write(dir.filePath(QStringLiteral("new.KalCir")));

        // A small group with names, a negative question and a few choices.
        test.ques.List().SetSize(2, false);
        test.ques.List().GetSelected(1).type.SetValue(0, false);
        test.ques.List().GetSelected(0).text.SetText(QStringLiteral("Who would you sit next to?"));
        test.answ.num.SetValue(2, false);
        test.subj.List().SetSize(4, false);
        const char16_t* names[][2] = {
            {u"Rossi", u"Anna"}, {u"Bianchi, Jr.", u"Luca"}, {u"Ferrari", u"Élodie"}, {u"Neri", u""}};
        for (qint32 i = 0; i < 4; ++i)
        {
            test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf16(names[i][0]));
            test.subj.List().GetSelected(i).appe.Name().SetText(QString::fromUtf16(names[i][1]));
        }
        test.desi.SetDesi(1, 1, 1, 2);
        test.desi.SetDesi(1, 2, 1, 3);
        test.desi.SetDesi(1, 1, 2, 1);
        test.desi.SetDesi(2, 1, 3, 4);
        test.desi.SetDesi(2, 2, 4, 1);
        test.file.Write(dir.filePath(QStringLiteral("small.KalCir")));

        // The same with a tagged section: records of tags no build knows,
        // which a reader keeps and writes back as they are.
        test.tags.Set(DFileKalCirTags::Tag("KcZa"), QByteArrayLiteral("unknown feature data"), false);
        test.tags.Set(DFileKalCirTags::Tag("KcZb"), QByteArray(), false);
        test.file.Write(dir.filePath(QStringLiteral("tagged.KalCir")));

        DTest one;
        one.subj.List().SetSize(1, false);
        one.file.Write(dir.filePath(QStringLiteral("one-subject.KalCir")));

        DTest largest;
        BuildLargestTest(largest);
        largest.file.Write(dir.filePath(QStringLiteral("largest.KalCir")));
    }
    catch (const EError& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
