#include "export/DExport.h"

#include "analyses/DComparison.h"
#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphIndices.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DGroupProblem.h"
#include "analyses/DGroupReport.h"
#include "analyses/DGroupSolver.h"
#include "analyses/DPicture.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "export/DClassReport.h"
#include "export/DPictureFile.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "model/DFileError.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>

namespace
{
using Kind = DExport::Kind;
using Request = DExport::Request;

// Every export kind, as the command line names it, with the text --help
// gives it.
struct KindName
{
    const char* name;
    Kind kind;
    int descriptionId;
};
const KindName kKinds[] = {
    {"bar", Kind::Bar, 35100},
    {"target", Kind::Target, 35110},
    {"sociogram", Kind::Sociogram, 35120},
    {"metrics", Kind::Metrics, 35130},
    {"csv", Kind::Csv, 35140},
    {"kalcir", Kind::KalCir, 35150},
    {"groups", Kind::Groups, 34600},
    {"categories", Kind::Categories, 33800},
    {"indices", Kind::Indices, 33810},
    {"comparison", Kind::Comparison, 34910},
    {"report", Kind::Report, 28270},
};

std::optional<Kind> KindOf(const QString& name)
{
    for (const KindName& kind : kKinds)
        if (name == QLatin1String(kind.name))
            return kind.kind;
    return std::nullopt;
}

bool TakeKind(const QString& value, Request& request)
{
    const std::optional<Kind> kind = KindOf(value);
    if (kind)
        request.kind = *kind;
    return kind.has_value();
}

bool TakeLanguage(const QString& value, Request& request)
{
    if (value == QLatin1String("en"))
        request.language = DLanguage::English;
    else if (value == QLatin1String("it"))
        request.language = DLanguage::Italian;
    else
        return false;
    return true;
}

bool TakeArrangement(const QString& value, Request& request)
{
    if (value == QLatin1String("ties"))
        request.arrange = DGraphSocArrange::Kind::Ties;
    else if (value == QLatin1String("rings"))
        request.arrange = DGraphSocArrange::Kind::Rings;
    else
        return false;
    return true;
}

// The range of a number of groups or a group size is the settings' own
// check, with its message; here only a whole number is asked for.
bool TakeWhole(const QString& value, std::optional<qint32>& into)
{
    bool number = false;
    const qint32 whole = value.toInt(&number);
    if (number)
        into = whole;
    return number;
}

bool TakeGroupCount(const QString& value, Request& request)
{
    return TakeWhole(value, request.groups);
}

bool TakeGroupSize(const QString& value, Request& request)
{
    return TakeWhole(value, request.groupSize);
}

// A value that names one of a few choices, taken into into.
template <class T> bool TakeNamed(const QString& value, std::initializer_list<std::pair<const char*, T>> names, T& into)
{
    for (const auto& [name, choice] : names)
        if (value == QLatin1String(name))
        {
            into = choice;
            return true;
        }
    return false;
}

bool TakeSeparator(const QString& value, Request& request)
{
    using Separator = DCsv::Options::Separator;
    return TakeNamed(value, {{"comma", Separator::Comma}, {"semicolon", Separator::Semicolon}, {"tab", Separator::Tab}},
                     request.csv.separator);
}

bool TakeDecimal(const QString& value, Request& request)
{
    using Decimal = DCsv::Options::Decimal;
    return TakeNamed(value, {{"point", Decimal::Point}, {"comma", Decimal::Comma}}, request.csv.decimal);
}

bool TakeByteOrderMark(const QString&, Request& request)
{
    request.csv.byteOrderMark = true;
    return true;
}

bool TakeCompare(const QString& value, Request& request)
{
    request.compare = value;
    return !value.isEmpty();
}

bool TakeCategories(const QString&, Request& request)
{
    request.categories = true;
    return true;
}

// Every option of the export, each taken once, with the text --help gives
// it; apply takes the value into the request and refuses one the option
// does not know; kinds, when not empty, names the only kinds it goes with.
// --export must come first: it lists the kinds.
struct ExportOption
{
    const char* name;
    // Null for a switch, which takes no value.
    const char* valueName;
    int descriptionId;
    bool (*apply)(const QString& value, Request& request);
    std::initializer_list<Kind> kinds = {};
};
const ExportOption kOptions[] = {
    {"export", "KIND", 35060, TakeKind},
    {"lang", "en|it", 35080, TakeLanguage},
    {"arrange", "ties|rings", 29110, TakeArrangement, {Kind::Sociogram, Kind::KalCir}},
    {"groups", "N", 34610, TakeGroupCount, {Kind::Groups}},
    {"group-size", "N", 34620, TakeGroupSize, {Kind::Groups}},
    {"sep",
     "comma|semicolon|tab",
     28820,
     TakeSeparator,
     {Kind::Csv, Kind::Categories, Kind::Indices, Kind::Groups, Kind::Comparison}},
    {"decimal",
     "point|comma",
     28830,
     TakeDecimal,
     {Kind::Csv, Kind::Categories, Kind::Indices, Kind::Groups, Kind::Comparison}},
    {"bom",
     nullptr,
     28840,
     TakeByteOrderMark,
     {Kind::Csv, Kind::Categories, Kind::Indices, Kind::Groups, Kind::Comparison}},
    {"categories", nullptr, 28850, TakeCategories, {Kind::Csv}},
    {"compare", "OTHER.KalCir", 34920, TakeCompare, {Kind::Comparison}},
};

QString KindNames(std::initializer_list<Kind> kinds)
{
    QStringList names;
    for (const Kind kind : kinds)
        for (const KindName& known : kKinds)
            if (known.kind == kind)
                names << QStringLiteral("--export=") + QLatin1String(known.name);
    return names.join(QStringLiteral(", "));
}
const QString kExportOption = QString::fromLatin1(kOptions[0].name);

QString ProgramName(DExport::Program program)
{
    return program == DExport::Program::Window ? QStringLiteral("kaleidocircle")
                                               : QStringLiteral("kaleidocircle-export");
}

QString Dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

DExport::Command Wrong(int id, const DArgs& args = {})
{
    DExport::Command command;
    command.action = DExport::Action::WrongUsage;
    command.errorId = id;
    command.errorArgs = args;
    return command;
}

// The option that the parser found at the end of the line with no value
// after it; empty when no option lacks its value.
QString MissingValue(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return {};
    for (const ExportOption& option : kOptions)
        if (option.valueName && arguments.last() == QStringLiteral("--") + QLatin1String(option.name))
            return arguments.last();
    return {};
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

// The analysis a picture kind draws; nothing for the tables and the file.
std::optional<DGraphPainting::Analysis> AnalysisOf(Kind kind)
{
    using Analysis = DGraphPainting::Analysis;
    switch (kind)
    {
    case Kind::Bar:
        return Analysis::Bar;
    case Kind::Target:
        return Analysis::Target;
    case Kind::Sociogram:
        return Analysis::Sociogram;
    case Kind::Metrics:
        return Analysis::Metrics;
    default:
        return std::nullopt;
    }
}

// What leaves the program as a document of its own, with the texts that
// explain it: the class report, and a picture as SVG or PDF, which carries
// its caption. Nothing for the rest: a PNG stays the picture it always was.
std::optional<QByteArray> Document(const Request& request, DTest& test)
{
    if (request.kind == Kind::Report)
        return DClassReport::Pdf(test, request.input, QDate::currentDate());
    const std::optional<DGraphPainting::Analysis> analysis = AnalysisOf(request.kind);
    const DPictureFile::Format format = DPictureFile::FormatOf(request.output);
    if (!analysis || format == DPictureFile::Format::Png)
        return std::nullopt;
    const QStringList caption =
        DGraphPainting::CaptionLines(*analysis, test.graph, request.input, QDate::currentDate());
    return DPictureFile::Bytes(format, DGraphPainting::Of(*analysis, test.graph).WithCaption(caption),
                               DGraphPainting::Name(*analysis));
}

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
    std::fflush(stream);
}

void Print(const QString& text)
{
    Print(stderr, text);
}
} // namespace

QStringList DExport::Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

DExport::Command DExport::ParseCommand(const QStringList& arguments, Program program)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const ExportOption& option : kOptions)
        parser.addOption(option.valueName ? QCommandLineOption(QLatin1String(option.name), QString(),
                                                               QLatin1String(option.valueName))
                                          : QCommandLineOption(QLatin1String(option.name)));
    // The parser skips the first argument as the program's name.
    if (!parser.parse(QStringList{QString()} + arguments))
    {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return Wrong(35200, {Dashed(unknown.first())});
        const QString missing = MissingValue(arguments);
        // Anything else, such as a value after --help, in the parser's words.
        return missing.isEmpty() ? Wrong(35290, {parser.errorText()}) : Wrong(35210, {missing});
    }

    Command command;
    for (const ExportOption& option : kOptions)
    {
        const QString name = QLatin1String(option.name);
        // A switch has no values: it is given as often as its name occurs.
        const QStringList values =
            option.valueName ? parser.values(name) : QStringList(parser.optionNames().count(name), QString());
        if (values.size() > 1)
            return Wrong(35220, {Dashed(name)});
        if (values.size() == 1 && !option.apply(values.first(), command.request))
            return Wrong(35230, {values.first(), Dashed(name)});
    }
    if (parser.isSet(help))
    {
        command.action = Action::Help;
        return command;
    }
    if (parser.isSet(version))
    {
        command.action = Action::Version;
        return command;
    }

    const QStringList paths = parser.positionalArguments();
    if (paths.contains(QString()))
        return Wrong(35270);
    if (parser.isSet(kExportOption))
    {
        if (paths.size() != 2)
            return Wrong(35250);
        for (const ExportOption& option : kOptions)
        {
            const std::initializer_list<Kind> kinds = option.kinds;
            if (kinds.size() != 0 && parser.isSet(QLatin1String(option.name)) &&
                std::find(kinds.begin(), kinds.end(), command.request.kind) == kinds.end())
                return Wrong(35245, {Dashed(QLatin1String(option.name)), KindNames(kinds)});
        }
        if (command.request.groups && command.request.groupSize)
            return Wrong(34630);
        if (command.request.kind == Kind::Comparison && command.request.compare.isEmpty())
            return Wrong(34930);
        command.action = Action::Export;
        command.request.input = paths[0];
        command.request.output = paths[1];
        return command;
    }
    if (program == Program::ExportOnly)
        return Wrong(35250);
    for (const ExportOption& option : kOptions)
        if (parser.isSet(QLatin1String(option.name)))
            return Wrong(35240, {Dashed(QLatin1String(option.name))});
    if (paths.size() > 1)
        return Wrong(35260);
    command.action = Action::Window;
    command.file = paths.value(0);
    return command;
}

std::optional<DExport::Request> DExport::Parse(const QStringList& arguments)
{
    const Command command = ParseCommand(arguments, Program::ExportOnly);
    if (command.action != Action::Export)
        return std::nullopt;
    return command.request;
}

QString DExport::Help(Program program)
{
    const DLanguage& language = DLanguage::Active();
    const QString name = ProgramName(program);
    const QString usage = language.GetStr(35000) + QLatin1Char(' ');
    const QString indent(usage.size(), QLatin1Char(' '));
    const QString exportLine = name + QStringLiteral(" --export=KIND [OPTIONS] INPUT.KalCir OUTPUT\n");
    QString text;
    if (program == Program::Window)
        text = usage + name + QStringLiteral(" [FILE.KalCir]\n") + indent + exportLine + language.GetStr(35010) +
               QLatin1Char('\n');
    else
        text = usage + exportLine;
    text += language.GetStr(35020) + QStringLiteral("\n\n") + language.GetStr(35030) + QLatin1Char('\n');

    // Two columns: the options, then their texts, all starting together.
    QList<std::pair<QString, QString>> rows = {{QStringLiteral("-h, --help"), language.GetStr(35040)},
                                               {QStringLiteral("-v, --version"), language.GetStr(35050)}};
    for (const ExportOption& option : kOptions)
    {
        const QString dashed = QStringLiteral("--") + QLatin1String(option.name);
        rows.append({option.valueName ? dashed + QLatin1Char('=') + QLatin1String(option.valueName) : dashed,
                     language.GetStr(option.descriptionId)});
        if (option.apply == TakeKind)
            for (const KindName& kind : kKinds)
                rows.append({QStringLiteral("    ") + QLatin1String(kind.name), language.GetStr(kind.descriptionId)});
    }
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    for (const auto& [option, description] : rows)
        text += QStringLiteral("  ") + option.leftJustified(width + 2) + description + QLatin1Char('\n');
    text += QLatin1Char('\n') + language.GetStr(28170) + QLatin1Char('\n');
    text += QLatin1Char('\n') + language.GetStr(35090) + QLatin1Char('\n');
    return text;
}

QByteArray DExport::Render(Kind kind, DGraph& graph, const DCsv::Options& csv, bool categories)
{
    return EError::Guard("DExport::Render()",
                         [&]
                         {
                             if (kind == Kind::Csv)
                             {
                                 QStringList lines;
                                 graph.met.ToMemoCsv(lines, csv, categories);
                                 return DGraphMet::CsvBytes(lines, csv);
                             }
                             // Without spread the table still lists what exists.
                             if (kind == Kind::Categories)
                                 return DCsv::Bytes(DGraphTarTable::CsvLines(DGraphTarTable::Rows(graph), csv), csv);
                             if (kind == Kind::Indices)
                                 return DCsv::Bytes(DGraphIndices::Of(graph).CsvLines(csv), csv);
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
                             return DGroupReport::CsvBytes(DGroupSolver::Solve(problem), test.subj.List(), request.csv);
                         });
}

QByteArray DExport::Comparison(const Request& request, const DTest& test)
{
    return EError::Guard("DExport::Comparison()",
                         [&]
                         {
                             DTest other;
                             ReadOther(request.compare, other);
                             return DCsv::Bytes(DComparison::Of(test.graph, other.graph).CsvLines(request.csv),
                                                request.csv);
                         });
}

void DExport::ReadOther(const QString& path, DTest& other)
{
    try
    {
        EError::Guard("DExport::ReadOther()",
                      [&]
                      {
                          other.file.Read(path);
                          other.desi.Verify();
                      });
    }
    catch (const EError& e)
    {
        throw EError(34950, {path, e.Message()});
    }
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
                      // The compared test is an input as well: it is read after the
                      // output's place is known, and no export may replace it.
                      if (request.kind == Kind::Comparison)
                      {
                          DFileError::RefuseNonRegular(DFileError::Action::Open, request.compare);
                          if (DFileError::IsSameFile(request.compare, request.output))
                              throw DFileError::Error(DFileError::Action::Write, request.output,
                                                      DFileError::kSameAsCompared);
                      }
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
                          DGraphSocRings::Ring rings;
                          DGraphSocArrange::Apply(
                              test.subj.List(), soc.type.IsPositive(),
                              DGraphSocArrange::Arrange(soc, test.subj.List(), *request.arrange, test.Pins(), &rings));
                          soc.rings.Set(soc.type.IsPositive(), rings);
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
                      if (request.kind == Kind::Comparison)
                      {
                          DFileWriter::Write(request.output, Comparison(request, test));
                          return;
                      }
                      if (const std::optional<QByteArray> document = Document(request, test))
                      {
                          DFileWriter::Write(request.output, *document);
                          return;
                      }
                      // A failed export leaves no file behind, nor a damaged one in
                      // place of an earlier export.
                      DFileWriter::Write(request.output,
                                         Render(request.kind, test.graph, request.csv, request.categories));
                  });
}

int DExport::Execute(const Command& command, Program program, int argc, char** argv)
{
    // The stored language unless the command line names one; the settings
    // store is only read. No display is needed for anything below.
    DLanguage language(DLanguage::Store::LoadOnly);
    if (command.request.language >= 0)
        language.SetLanguage(command.request.language);
    switch (command.action)
    {
    case Action::Help:
        Print(stdout, Help(program));
        return 0;
    case Action::Version:
        Print(stdout, ProgramName(program) + QStringLiteral(" " KC_VERSION));
        return 0;
    case Action::Export:
        break;
    default:
        Print(language.GetMsg(command.errorId, command.errorArgs));
        Print(Help(program));
        return kWrongUsage;
    }
    const Request& request = command.request;

    // No window is ever shown: the export runs without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();

    try
    {
        CheckPaths(request);
    }
    catch (const EError& e)
    {
        Print(e.Message());
        return kWrongUsage;
    }

    try
    {
        DTest test;
        Run(request, test);
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

int DExport::Main(int argc, char** argv)
{
    return Execute(ParseCommand(Arguments(argc, argv), Program::ExportOnly), Program::ExportOnly, argc, argv);
}
