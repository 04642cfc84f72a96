#pragma once

#include <memory>

class DLanguage;
class DTest;
class TFormMain;

// The application's window set. All windows are created hidden, the main
// window first, and live until the end of the run; dialogs are shown and
// hidden again, never re-created.
class TApplication
{
public:
    TApplication(DTest& test, DLanguage& language);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    TFormMain& FormMain() { return *formMain_; }
    // Shows the main window, which embeds the pages and opens the file
    // named on the command line.
    void Show();

private:
    std::unique_ptr<TFormMain> formMain_;
};
