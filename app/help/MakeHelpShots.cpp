// MakeHelpShots OUTPUT_FOLDER
//
// Build-time tool: opens the real main window offscreen on a small sample
// class, shows each page in English and in Italian and writes what it shows
// as PAGE-eng.png and PAGE-ita.png, the pictures of the user guide. Made at
// every build from the pages themselves, the guide's pictures cannot show a
// window that no longer looks like that. Runs without a display
// (QT_QPA_PLATFORM=offscreen); settings, recovery copies and locks go into a
// temporary folder, never into the user's own.

#include "analyses/DFonts.h"
#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraph.h"
#include "pages/TFormGraphSoc.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QSaveFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace
{
// Small enough to fit the width of a printed page at 96 dpi, large enough to
// show a page as a user sees it.
constexpr QSize kShotSize(640, 480);

// The guide's names of the pages, in tab order.
const char* const kPageNames[] = {"questions", "subjects", "answers", "bar", "target", "sociogram", "metrics"};

struct SampleSubject
{
    const char* surname;
    const char* name;
    bool female;
};

// A class of ten with two questions, one positive and one negative, every
// subject answering both.
void FillSample(DTest& test, int language)
{
    const bool italian = language == DLanguage::Italian;
    test.ques.List().SetSize(2, false);
    test.ques.List().GetSelected(0).text.SetText(italian ? QStringLiteral("Con chi vorresti fare i compiti?")
                                                         : QStringLiteral("Whom would you like to study with?"));
    test.ques.List().GetSelected(1).type.SetValue(0, false);
    test.ques.List().GetSelected(1).text.SetText(italian ? QStringLiteral("Con chi non vorresti fare una gita?")
                                                         : QStringLiteral("Whom would you rather not travel with?"));

    static const SampleSubject kSubjects[] = {
        {"Rossi", "Anna", true},   {"Bianchi", "Luca", false}, {"Ferrari", "Giulia", true}, {"Romano", "Marco", false},
        {"Colombo", "Sara", true}, {"Ricci", "Davide", false}, {"Marino", "Elena", true},   {"Greco", "Paolo", false},
        {"Bruno", "Chiara", true}, {"Gallo", "Matteo", false},
    };
    const int count = static_cast<int>(std::size(kSubjects));
    test.subj.List().SetSize(count, false);
    for (int k = 0; k < count; ++k)
    {
        DSubjElem& subject = test.subj.List().GetSelected(k);
        subject.appe.Surname().SetText(QString::fromUtf8(kSubjects[k].surname));
        subject.appe.Name().SetText(QString::fromUtf8(kSubjects[k].name));
        subject.sex.SetValue(kSubjects[k].female ? 0 : 1, false);
    }

    // Whom each subject accepts and rejects, first choice first: a popular
    // pupil (1), mutual choices, an isolated pupil (7) whom most reject.
    static const int kAccept[][3] = {{3, 2, 5}, {1, 3, 4}, {1, 5, 9}, {1, 2, 6},  {3, 1, 8},
                                     {4, 1, 3}, {1, 3, 2}, {5, 9, 1}, {3, 8, 10}, {9, 4, 1}};
    static const int kReject[][3] = {{7, 10, 6}, {7, 8, 6},  {7, 4, 10}, {7, 5, 8}, {10, 7, 2},
                                     {7, 9, 10}, {6, 4, 10}, {2, 7, 6},  {7, 6, 2}, {7, 2, 5}};
    const int ranks = std::min(test.desi.AnswCount(), 3);
    for (int k = 0; k < count; ++k)
        for (int rank = 0; rank < ranks; ++rank)
        {
            test.desi.SetDesi(1, rank + 1, k + 1, kAccept[k][rank]);
            test.desi.SetDesi(2, rank + 1, k + 1, kReject[k][rank]);
        }
}

bool WritePng(const QPixmap& shot, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !shot.save(&file, "PNG") || !file.commit())
    {
        std::fprintf(stderr, "MakeHelpShots: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

// Shows every page of a main window in one language and writes its picture.
bool ShootLanguage(int languageNumber, const QString& folder, QStringList& errors)
{
    DLanguage language(languageNumber);
    DTest test;
    FillSample(test, languageNumber);
    TApplication windows(test, language);
    TFormMain& main = windows.FormMain();
    main.SetArguments({});
    main.resize(kShotSize);
    windows.Show();
    QApplication::processEvents();

    const QString suffix = languageNumber == DLanguage::Italian ? QStringLiteral("ita") : QStringLiteral("eng");
    const QList<TFormPage*> pages = main.PageList();
    for (int i = 0; i < pages.size() && i < static_cast<int>(std::size(kPageNames)); ++i)
    {
        main.PageControl->setCurrentIndex(i);
        QApplication::processEvents();
        // The analyses are shown with their options, which the guide
        // explains; the target graph's room goes to its categories.
        if (auto* graph = qobject_cast<TFormGraph*>(pages[i]);
            graph && graph->OptPn->isHidden() && qstrcmp(kPageNames[i], "target") != 0)
            graph->OptSb->click();
        if (auto* soc = qobject_cast<TFormGraphSoc*>(pages[i]); soc && soc->OptPn->isHidden())
            soc->OptSb->click();
        QApplication::processEvents();
        const QString path =
            QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(kPageNames[i]), suffix));
        if (!WritePng(main.grab(), path))
            return false;
    }
    if (!errors.isEmpty())
    {
        for (const QString& error : errors)
            std::fprintf(stderr, "MakeHelpShots: %s\n", qPrintable(error));
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: MakeHelpShots OUTPUT_FOLDER\n");
        return 2;
    }
    QTemporaryDir home;
    if (!home.isValid())
    {
        std::fprintf(stderr, "MakeHelpShots: no temporary folder\n");
        return 1;
    }
    for (const char* name : {"config", "data", "runtime"})
        QDir(home.path()).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();

    // A message box would wait for a click that never comes: every message
    // is an error of the build instead.
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    DMessages::SetQuestionBox(
        [&](const QString&, const QString& text)
        {
            errors << text;
            return QMessageBox::Cancel;
        });
    DMessages::SetChoiceBox(
        [&](const QString&, const QString& text, const QStringList&)
        {
            errors << text;
            return -1;
        });

    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder))
    {
        std::fprintf(stderr, "MakeHelpShots: cannot make %s\n", argv[1]);
        return 1;
    }
    for (const int language : {DLanguage::English, DLanguage::Italian})
        if (!ShootLanguage(language, folder, errors))
            return 1;
    return 0;
}
