#pragma once

#include "lang/DLanguage.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// What the benchmark programs share: their start, and the resident memory
// that a piece of work adds, for their memory targets.

// Runs the benchmarks named on the command line offscreen, in English
// without touching the settings, once prepare has run under the application.
inline int RunBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (prepare)
        prepare();
    DLanguage language(DLanguage::Store::Off);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in KiB; -1 when
// missing. Read with plain system calls: the measure must not allocate.
inline long StatusKiB(const char* field)
{
    char text[4096];
    const int fd = ::open("/proc/self/status", O_RDONLY);
    if (fd < 0)
        return -1;
    const ssize_t size = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (size <= 0)
        return -1;
    text[size] = '\0';
    const char* line = std::strstr(text, field);
    return line ? std::strtol(line + std::strlen(field), nullptr, 10) : -1;
}

// How far work raises the resident memory above where it starts, in KiB;
// -1 when it cannot be measured or work fails. The work runs in a child
// process whose high-water mark is first reset to its current size, so
// earlier benchmarks and later frees cannot hide its peak.
inline long PeakGrowthKiB(const std::function<bool()>& work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::close(fds[0]);
        long growth = -1;
        const int refs = ::open("/proc/self/clear_refs", O_WRONLY);
        if (refs >= 0 && ::write(refs, "5", 1) == 1)
        {
            const long start = StatusKiB("VmRSS:");
            if (work())
                growth = StatusKiB("VmHWM:") - start;
        }
        if (::write(fds[1], &growth, sizeof growth) != sizeof growth)
            growth = -1;
        ::_exit(0);
    }
    ::close(fds[1]);
    long growth = -1;
    if (child < 0 || ::read(fds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    ::close(fds[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return growth;
}
