#pragma once

#include <QByteArray>
#include <QString>
#include <QtTest>

#include <functional>

// Shared set-up of the test executables: offscreen platform, a private
// runtime directory and settings location (even when a test is started by
// hand rather than through CTest), and the fonts the pictures use.
namespace TestSupport
{
void PrepareEnvironment();
void PrepareApplication();

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// Little-endian helpers for building files by hand.
QByteArray Int32(qint32 value);
QByteArray Int64(qint64 value);
QByteArray Utf16(const QString& text);

// The program name that this process's lock files carry: its executable's.
QString OwnProgram();

// The message of the EError that work raises; empty when it raises none.
QString ErrorOf(const std::function<void()>& work);

// A folder whose files can be read but in which nothing can be created,
// even by root: then it is a small file system of its own, mounted
// read-only once filled. Fill it between construction and Seal.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    // False where this process can make no read-only folder: skip the test.
    bool Seal();

private:
    QString path_;
    bool mounted_ = false;
};
} // namespace TestSupport

#define KC_TEST_MAIN(TestObject)                                                                                       \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        TestSupport::PrepareEnvironment();                                                                             \
        QApplication app(argc, argv);                                                                                  \
        TestSupport::PrepareApplication();                                                                             \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
