#include "export/DExport.h"

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphIndices.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "model/DFileError.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace
{
const QString kExport = QStringLiteral("--export=");
const QString kLang = QStringLiteral("--lang=");

std::optional<DExport::Kind> KindOf(const QString& name)
{
    using Kind = DExport::Kind;
    const std::pair<QString, Kind> kinds[] = {
        {QStringLiteral("bar"), Kind::Bar},
        {QStringLiteral("target"), Kind::Target},
        {QStringLiteral("sociogram"), Kind::Sociogram},
        {QStringLiteral("metrics"), Kind::Metrics},
        {QStringLiteral("csv"), Kind::Csv},
        {QStringLiteral("kalcir"), Kind::KalCir},
        {QStringLiteral("categories"), Kind::Categories},
        {QStringLiteral("indices"), Kind::Indices},
    };
    for (const auto& [text, kind] : kinds)
        if (name == text)
            return kind;
    return std::nullopt;
}

QByteArray Png(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        throw EError(60000, {"DExport::Render()"});
    return bytes;
}

void Print(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
} // namespace

bool DExport::IsRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith("--export"))
            return true;
    return false;
}

std::optional<DExport::Request> DExport::Parse(const QStringList& arguments)
{
    Request request;
    bool hasKind = false;
    bool hasLang = false;
    QStringList paths;
    for (const QString& argument : arguments)
    {
        if (argument.startsWith(kExport))
        {
            const std::optional<Kind> kind = KindOf(argument.mid(kExport.size()));
            if (hasKind || !kind)
                return std::nullopt;
            request.kind = *kind;
            hasKind = true;
        }
        else if (argument.startsWith(kLang))
        {
            const QString lang = argument.mid(kLang.size());
            if (hasLang || (lang != QLatin1String("en") && lang != QLatin1String("it")))
                return std::nullopt;
            request.language = lang == QLatin1String("en") ? DLanguage::English : DLanguage::Italian;
            hasLang = true;
        }
        else if (argument.startsWith(QLatin1String("--")) || argument.isEmpty())
            return std::nullopt;
        else
            paths << argument;
    }
    if (!hasKind || paths.size() != 2)
        return std::nullopt;
    request.input = paths[0];
    request.output = paths[1];
    return request;
}

QString DExport::Usage()
{
    return QStringLiteral("Usage: kaleidocircle --export=KIND [--lang=en|it] INPUT.KalCir OUTPUT\n"
                          "  KIND bar, target, sociogram, metrics: OUTPUT is a PNG picture of that analysis\n"
                          "  KIND csv: OUTPUT is the metric table as comma-separated text\n"
                          "  KIND categories, indices: OUTPUT is the target diagram's categories table, or the\n"
                          "    group indices, as comma-separated text\n"
                          "  KIND kalcir: OUTPUT is the test written again as a current test file");
}

QByteArray DExport::Render(Kind kind, DGraph& graph)
{
    return EError::Guard("DExport::Render()",
                         [&]
                         {
                             if (kind == Kind::Csv)
                             {
                                 QStringList lines;
                                 graph.met.ToMemoCsv(lines);
                                 return DGraphMet::CsvBytes(lines);
                             }
                             // Without spread the table still lists what exists.
                             if (kind == Kind::Categories)
                                 return DCsv::Bytes(DGraphTarTable::CsvLines(DGraphTarTable::Rows(graph)));
                             if (kind == Kind::Indices)
                                 return DCsv::Bytes(DGraphIndices::Of(graph).CsvLines());
                             // The pages hand every analysis a picture of 1000 x 1000 pixels,
                             // which the analysis resizes to what it draws.
                             QImage picture = DPicture::Make(1000, 1000);
                             switch (kind)
                             {
                             case Kind::Bar:
                                 graph.bar.Draw(picture);
                                 break;
                             case Kind::Target:
                                 graph.tar.Draw(picture);
                                 break;
                             case Kind::Sociogram:
                                 graph.soc.Draw(picture);
                                 break;
                             case Kind::Metrics:
                                 graph.met.Draw(picture);
                                 break;
                             default:
                                 throw EError(50020, {"DExport::Render()"});
                             }
                             return Png(picture);
                         });
}

void DExport::CheckPaths(const Request& request)
{
    EError::Guard("DExport::CheckPaths()",
                  [&]
                  {
                      // A FIFO would block the read and a device would never end.
                      DFileError::RefuseNonRegular(DFileError::Action::Open, request.input);
                      // The input would be gone before it was read in full.
                      if (DFileError::IsSameFile(request.input, request.output))
                          throw DFileError::Error(DFileError::Action::Write, request.output, DFileError::kSameAsInput);
                      DFileError::RefuseNonRegular(DFileError::Action::Write, request.output);
                  });
}

void DExport::Run(const Request& request, DTest& test)
{
    EError::Guard("DExport::Run()",
                  [&]
                  {
                      CheckPaths(request);
                      test.file.Read(request.input);
                      if (request.kind == Kind::KalCir)
                      {
                          test.file.Write(request.output);
                          return;
                      }
                      // A failed export leaves no file behind, nor a damaged one in
                      // place of an earlier export.
                      DFileWriter::Write(request.output, Render(request.kind, test.graph));
                  });
}

int DExport::Main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::optional<Request> request = Parse(arguments);
    if (!request)
    {
        Print(Usage());
        return kWrongUsage;
    }

    // No window is ever shown: the export runs without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();
    // The stored language unless the command line names one; the settings
    // store is only read.
    DLanguage language(DLanguage::Store::LoadOnly);
    if (request->language >= 0)
        language.SetLanguage(request->language);

    try
    {
        CheckPaths(*request);
    }
    catch (const EError& e)
    {
        Print(e.Message());
        return kWrongUsage;
    }

    try
    {
        DTest test;
        Run(*request, test);
    }
    catch (const EError& e)
    {
        Print(e.Message());
        return kFailed;
    }
    catch (...)
    {
        Print(language.GetErr(50020, {"DExport::Main()"}));
        return kFailed;
    }
    return 0;
}
