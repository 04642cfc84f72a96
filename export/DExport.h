#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class DGraph;
class DTest;

// The headless export: draws one analysis of a test file into a PNG, writes
// the metric table as comma-separated text, or writes the test back as a
// current version file, without showing any window:
//
//   kaleidocircle --export=KIND [--lang=en|it] INPUT.KalCir OUTPUT
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
        Categories,
        Indices
    };

    struct Request
    {
        Kind kind = Kind::Bar;
        // DLanguage::English or Italian; -1 keeps the stored language.
        int language = -1;
        QString input;
        QString output;
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

    // The whole export process, from the raw command line to the exit status.
    static int Main(int argc, char** argv);
};
