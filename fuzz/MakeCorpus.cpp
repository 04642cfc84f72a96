// Writes the seeds of the fuzz targets into the directory given as the only
// argument: in tests/, a few valid tests of different shapes (one with a
// tagged section) for the targets that read a test file; in form/, names/,
// paste/ and settings/, texts of each kind for the targets that read one.

#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <stdexcept>

#include <cstdio>

namespace
{
void Write(const QDir& root, const QString& name, const QByteArray& bytes)
{
    QFile file(root.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a seed");
}

// Texts such as people paste, export from an online form or leave in a
// settings file, named after the class of FuzzSupport::BuildClass.
void WriteTexts(const QDir& root)
{
    Write(root, QStringLiteral("form/comma.csv"),
          "Timestamp,Your name,Q1 first,Q1 second,Q1 third,Q2 first,Q2 second,Q2 third,Q3 first,Q3 second,Q3 third\r\n"
          "2026/01/10 9:01,Rossi Anna,Bianchi \xc3\x89lodie,12,\"De Luca, Marco\",,,,Neri,,\r\n"
          "2026/01/10 9:02,Luca Rossi,Anna Rossi,,,Sofia Conti,,,Rossi Anna,,\r\n"
          "2026/01/10 9:03,Stranger Someone,Rossi Anna,,,,,,,,\r\n");
    Write(root, QStringLiteral("form/semicolon-numbers.csv"),
          "\xef\xbb\xbfname;1.1;1.2;2.1;3.1\n3;1;2;4;12\n4;3;;5;\n5;5;6;;1\n");
    Write(root, QStringLiteral("form/tabs.tsv"),
          "Respondent\tQuestion 1 answer 1\tQuestion 2 answer 1\nGiulia Esposito\tSe\xc3\xa1n O'Brien\t1\n"
          "Giulia Esposito\tNeri\t2\n");
    Write(root, QStringLiteral("names/plain.txt"), "Rossi Anna\nRossi Luca\nNewcomer Paola\nBianchi \xc3\x89lodie\n");
    Write(root, QStringLiteral("names/columns.txt"),
          "Rossi\tAnna\tF\tleft early\r\nDe Luca\tMarco\tM\r\nConti\tSofia\r\n\r\n");
    Write(root, QStringLiteral("names/comma.txt"), "Rossi, Anna\nDe Luca, Marco\nO'Brien, Se\xc3\xa1n\n  \n");
    Write(root, QStringLiteral("paste/block.txt"), "Rossi Anna\t3\tNone\r\n12\t\tDe Luca Marco\r\n");
    Write(root, QStringLiteral("paste/names.txt"), "Anna Rossi\tConti Sofia\n1\t1\n");
    Write(root, QStringLiteral("settings/language.conf"), "[Options]\nLanguage=1\nSafeColours=1\n");
    Write(root, QStringLiteral("settings/odd.conf"),
          "[Options]\nLanguage=7\nSafeColours=@ByteArray(\\0)\n[General]\nx=\"a\\nb\"\n");
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DLanguage language(DLanguage::Store::Off);
    if (argc != 2)
    {
        std::fputs("usage: kc_fuzz_corpus DIRECTORY\n", stderr);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* kind : {"tests", "form", "names", "paste", "settings"})
        root.mkpath(QString::fromLatin1(kind));
    const QDir dir(root.filePath(QStringLiteral("tests")));
    try
    {
        WriteTexts(root);

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
    catch (const std::runtime_error& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
