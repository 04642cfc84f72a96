#pragma once

#include "analyses/DGraphSocArrange.h"
#include "lang/DArgs.h"
#include "model/DCsv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QtGlobal>

#include <optional>

class DGraph;
class DTest;

// The headless export: draws one analysis of a test file into a PNG, writes
// the metric table as comma-separated text, or writes the test back as a
// current version file, without showing any window:
//
//   kaleidocircle --export=KIND [--lang=en|it] [OPTIONS] INPUT.KalCir OUTPUT
//
// --arrange=ties|rings (sociogram and kalcir only) first arranges the
// sociogram of the stored type and questions, pinned boxes kept;
// --groups=N or --group-size=N (groups only) replace the stored settings'.
// --sep=comma|semicolon|tab, --decimal=point|comma and --bom (csv,
// categories, indices and groups) write the table for a spreadsheet;
// --categories (csv only) adds each subject's category of the target
// diagram. --compare=OTHER.KalCir (comparison only, and needed by it) names
// the test INPUT is compared with; one it cannot read fails the export. Without them the tables are written as they
// always were.
//
// It also reads the whole command line of both programs, before anything
// needs a display: --help and --version print to standard output and exit 0.
//
// Exit status 0 on success; 1 when the export fails (the error's message on
// standard error, OUTPUT left as it was); 2 for a wrong command line (an
// unknown option or value: the reason and the usage on standard error), or
// for paths no export can use (checked before anything is opened or
// written): an INPUT or a compared test that is not a regular file, an
// OUTPUT that is the INPUT or the compared test (links resolved) or an
// existing OUTPUT that is not a regular file.
class DExport
{
public:
    enum class Kind
    {
        Bar,
        Target,
        Sociogram,
        Metrics,
        Csv,
        KalCir,
        Groups,
        Categories,
        Indices,
        Comparison,
        Report
    };

    struct Request
    {
        Kind kind = Kind::Bar;
        // DLanguage::English or Italian; -1 keeps the stored language.
        int language = -1;
        QString input;
        QString output;
        // Arrange the sociogram before the export.
        std::optional<DGraphSocArrange::Kind> arrange;
        // The groups kind only: a number of groups or a group size that
        // replaces the one stored with the test.
        std::optional<qint32> groups = std::nullopt;
        std::optional<qint32> groupSize = std::nullopt;
        // The tables only: how they are written, and the category column.
        DCsv::Options csv = {};
        bool categories = false;
        // The comparison kind only: the other test INPUT is compared with.
        QString compare = {};
    };

    static constexpr int kFailed = 1;
    static constexpr int kWrongUsage = 2;

    // kaleidocircle opens a file in its window; kaleidocircle-export has none.
    enum class Program
    {
        Window,
        ExportOnly
    };
    enum class Action
    {
        Window,
        Export,
        Help,
        Version,
        WrongUsage
    };
    struct Command
    {
        Action action = Action::WrongUsage;
        Request request;
        // Window: the test file to open, empty for none.
        QString file;
        // WrongUsage: what was wrong, as a message of the string table.
        int errorId = 0;
        DArgs errorArgs;
    };

    // The arguments after the program name.
    static QStringList Arguments(int argc, char** argv);
    static Command ParseCommand(const QStringList& arguments, Program program);
    // An export's request; nothing for any other command line.
    static std::optional<Request> Parse(const QStringList& arguments);
    // What --help prints, in the active language.
    static QString Help(Program program);

    // Raises the file error naming the path when the request's paths are
    // ones no export can use (see above). Nothing is opened.
    static void CheckPaths(const Request& request);
    // Checks the paths, reads the input into the document and writes the
    // output. Raises EError; the output exists only when everything succeeded.
    static void Run(const Request& request, DTest& test);
    // The bytes of a picture or text export, drawn with the analyses' options
    // exactly as their pages draw them (the kalcir kind is not rendered here);
    // the tables written with csv, the metric table with the categories when
    // asked for.
    static QByteArray Render(Kind kind, DGraph& graph, const DCsv::Options& csv = {}, bool categories = false);
    // The groups kind: the first proposal for the test, as comma-separated
    // text. Raises the solver's error when no grouping meets the rules.
    static QByteArray Groups(const Request& request, const DTest& test);
    // The comparison kind: the table of INPUT (test) against the test of
    // --compare, as comma-separated text. Raises the reader's error, naming
    // the file, when that test cannot be read.
    static QByteArray Comparison(const Request& request, const DTest& test);
    // Reads the test another is compared with and checks its answers; a
    // failure names the file, since two tests are in play.
    static void ReadOther(const QString& path, DTest& other);

    // Carries out every command but Window, up to the exit status.
    static int Execute(const Command& command, Program program, int argc, char** argv);
    // The whole process of kaleidocircle-export.
    static int Main(int argc, char** argv);
};
