#include "export/DExport.h"

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGroupProblem.h"
#include "analyses/DGroupReport.h"
#include "analyses/DGroupSolver.h"
#include "analyses/DPicture.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
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
const QString kArrange = QStringLiteral("--arrange=");
const QString kGroups = QStringLiteral("--groups=");
const QString kGroupSize = QStringLiteral("--group-size=");

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
        {QStringLiteral("groups"), Kind::Groups},
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
        else if (argument.startsWith(kArrange))
        {
            const QString how = argument.mid(kArrange.size());
            if (request.arrange || (how != QLatin1String("ties") && how != QLatin1String("rings")))
                return std::nullopt;
            request.arrange =
                how == QLatin1String("ties") ? DGraphSocArrange::Kind::Ties : DGraphSocArrange::Kind::Rings;
        }
        else if (argument.startsWith(kGroups) || argument.startsWith(kGroupSize))
        {
            // The range is the settings' own check, with its message.
            bool number = false;
            const bool isCount = argument.startsWith(kGroups);
            const qint32 value = argument.mid(isCount ? kGroups.size() : kGroupSize.size()).toInt(&number);
            if (!number || request.groups || request.groupSize)
                return std::nullopt;
            (isCount ? request.groups : request.groupSize) = value;
        }
        else if (argument.startsWith(QLatin1String("--")) || argument.isEmpty())
            return std::nullopt;
        else
            paths << argument;
    }
    if (!hasKind || paths.size() != 2 || ((request.groups || request.groupSize) && request.kind != Kind::Groups))
        return std::nullopt;
    // Only the sociogram and the test itself show the positions.
    if (request.arrange && request.kind != Kind::Sociogram && request.kind != Kind::KalCir)
        return std::nullopt;
    request.input = paths[0];
    request.output = paths[1];
    return request;
}

QString DExport::Usage()
{
    return QStringLiteral(
        "Usage: kaleidocircle --export=KIND [--lang=en|it] [--arrange=ties|rings] INPUT.KalCir OUTPUT\n"
        "       kaleidocircle --export=groups [--groups=N | --group-size=N] [--lang=en|it] INPUT.KalCir OUTPUT\n"
        "  KIND bar, target, sociogram, metrics: OUTPUT is a PNG picture of that analysis\n"
        "  KIND csv: OUTPUT is the metric table as comma-separated text\n"
        "  KIND kalcir: OUTPUT is the test written again as a current test file\n"
        "  --arrange: with sociogram or kalcir, first arranges the sociogram by its ties or\n"
        "    in rings by choices received, pinned boxes kept\n"
        "  KIND groups: OUTPUT is the proposed working groups as comma-separated text, with the\n"
        "    settings stored in the test; --groups=N or --group-size=N (2 to 10) replaces\n"
        "    their number of groups or group size");
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

QByteArray DExport::Groups(const Request& request, const DTest& test)
{
    return EError::Guard("DExport::Groups()",
                         [&]
                         {
                             DGroupSettings settings = DGroupRecord::Load(test);
                             if (request.groups || request.groupSize)
                             {
                                 settings.mode =
                                     request.groups ? DGroupSettings::Mode::Count : DGroupSettings::Mode::Size;
                                 settings.value = request.groups ? *request.groups : *request.groupSize;
                             }
                             const DGroupProblem problem =
                                 DGroupProblem::FromTest(test.desi, test.subj.List(), settings);
                             return DGroupReport::CsvBytes(DGroupSolver::Solve(problem), test.subj.List());
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
                      if (request.arrange)
                      {
                          DGraphSoc& soc = test.graph.soc;
                          DGraphSocArrange::Apply(
                              test.subj.List(), soc.type.IsPositive(),
                              DGraphSocArrange::Arrange(soc, test.subj.List(), *request.arrange, test.Pins()));
                      }
                      if (request.kind == Kind::KalCir)
                      {
                          test.file.Write(request.output);
                          return;
                      }
                      if (request.kind == Kind::Groups)
                      {
                          DFileWriter::Write(request.output, Groups(request, test));
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
