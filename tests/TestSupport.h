#pragma once

#include <QByteArray>
#include <QString>
#include <QtTest>

#include <functional>
#include <optional>

class DQuesList;

// Shared set-up of the test executables: offscreen platform, a private
// runtime directory and settings location (even when a test is started by
// hand rather than through CTest), and the fonts the pictures use.
namespace TestSupport
{
// program: argv[0]. Every test program starts from empty settings and data
// of its own, so that tests running side by side, or an earlier run, never
// change what another one finds.
void PrepareEnvironment(const char* program);
void PrepareApplication();

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// Little-endian helpers for building files by hand.
QByteArray Int32(qint32 value);
QByteArray Int64(qint64 value);
QByteArray Utf16(const QString& text);

// The program name that this process's lock files carry: its executable's.
QString OwnProgram();

// Three questions, positive, negative, positive, with texts.
void MakeMixedQuestions(DQuesList& list);

// The pages of a PDF as Qt writes it (its page objects).
int PdfPageCount(const QByteArray& pdf);

// The message of the EError that work raises; empty when it raises none.
QString ErrorOf(const std::function<void()>& work);

// What work gives, done in a child process, so that work that would wait or
// read forever fails the test rather than hang it: nullopt when the child
// has not answered within the time.
std::optional<QByteArray> InChild(const std::function<QByteArray()>& work, int milliseconds = 10000);

// A small file system of its own (a tmpfs; mounting needs root, IsMounted()
// says whether it worked) on an empty folder for the object's life.
class TmpfsFolder
{
public:
    TmpfsFolder(const QString& path, const char* options);
    ~TmpfsFolder();
    TmpfsFolder(const TmpfsFolder&) = delete;
    TmpfsFolder& operator=(const TmpfsFolder&) = delete;

    bool IsMounted() const { return mounted_; }
    // Takes every byte left with a filler file.
    void Fill() const;
    // Makes the folder read-only, even for root: a read-only remount, or
    // permissions where nothing was mounted. False where neither stops a
    // file from being created: skip the test then.
    bool Seal();

private:
    QString path_;
    bool mounted_ = false;
};

// A real full disk: 64 KiB, filled with Fill().
class FullDisk : public TmpfsFolder
{
public:
    explicit FullDisk(const QString& path) : TmpfsFolder(path, "size=64k") {}
};

// A folder whose files can be read but in which nothing can be created:
// fill it between construction and Seal().
class ReadOnlyFolder : public TmpfsFolder
{
public:
    explicit ReadOnlyFolder(const QString& path) : TmpfsFolder(path, "size=1m") {}
};
} // namespace TestSupport

// Tests of the user interface run under a widget application, the others
// under a GUI one: they link the core only and have no widgets to offer.
#ifdef QT_WIDGETS_LIB
#include <QApplication>
using KcTestApplication = QApplication;
#else
#include <QGuiApplication>
using KcTestApplication = QGuiApplication;
#endif

#define KC_TEST_MAIN(TestObject)                                                                                       \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        TestSupport::PrepareEnvironment(argv[0]);                                                                      \
        KcTestApplication app(argc, argv);                                                                             \
        TestSupport::PrepareApplication();                                                                             \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
