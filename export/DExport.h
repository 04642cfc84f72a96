#pragma once

#include "analyses/DGraphSocArrange.h"

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
//   kaleidocircle --export=KIND [--lang=en|it] [--arrange=ties|rings] INPUT.KalCir OUTPUT
//
// --arrange (with the sociogram and kalcir kinds only) first arranges the
// sociogram of the stored type and questions, pinned boxes kept.
//   kaleidocircle --export=groups [--groups=N | --group-size=N] [--lang=en|it] INPUT.KalCir OUTPUT
//
// Exit status 0 on success; 1 when the export fails (the error's message on
// standard error, OUTPUT left as it was); 2 for a wrong command line, or for
// paths no export can use (checked before anything is opened or written):
// an INPUT that is not a regular file, an OUTPUT that is the INPUT (links
// resolved) or an existing OUTPUT that is not a regular file.
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
        Groups
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
    };

    static constexpr int kFailed = 1;
    static constexpr int kWrongUsage = 2;

    // Whether the command line asks for an export rather than the windows.
    static bool IsRequested(int argc, char** argv);
    // The arguments after the program name; nothing for a wrong command line.
    static std::optional<Request> Parse(const QStringList& arguments);
    static QString Usage();

    // Raises the file error naming the path when the request's paths are
    // ones no export can use (see above). Nothing is opened.
    static void CheckPaths(const Request& request);
    // Checks the paths, reads the input into the document and writes the
    // output. Raises EError; the output exists only when everything succeeded.
    static void Run(const Request& request, DTest& test);
    // The bytes of a picture or text export, drawn with the analyses' options
    // exactly as their pages draw them (the kalcir kind is not rendered here).
    static QByteArray Render(Kind kind, DGraph& graph);
    // The groups kind: the first proposal for the test, as comma-separated
    // text. Raises the solver's error when no grouping meets the rules.
    static QByteArray Groups(const Request& request, const DTest& test);

    // The whole export process, from the raw command line to the exit status.
    static int Main(int argc, char** argv);
};
