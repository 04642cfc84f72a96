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

// The message of the EError that work raises; empty when it raises none.
QString ErrorOf(const std::function<void()>& work);

// A real full disk: a 64 KiB tmpfs mounted on an empty folder for the
// object's life (it needs root; IsMounted() says whether it worked).
class FullDisk
{
public:
    explicit FullDisk(const QString& folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool IsMounted() const { return mounted_; }
    // Takes every byte left with a filler file.
    void Fill() const;

private:
    QString folder_;
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
