#pragma once

#include "model/EError.h"

#include <QString>

// The one form of every message about a file the system refused: what was
// tried, the file as the user named it and the system's reason, for example
// Cannot write "reports/class.KalCir": No space left on device
//
// Failures inside a file that did open (a damaged element, a wrong magic)
// keep their own codes; these messages are for the file itself.
class DFileError
{
public:
    enum class Action
    {
        Open,
        Read,
        Write
    };

    // Reasons the system has no errno for.
    static constexpr int kNotRegular = -1;
    static constexpr int kSameAsInput = -2;
    static constexpr int kSameAsCompared = -3;

    // The reason for an errno value (or one of the reasons above) in the
    // current language; an errno without a translation reads as the system
    // words it.
    static QString Reason(int error);

    // The error to raise for action on path, failed with error.
    static EError Error(Action action, const QString& path, int error);
    // The same with a reason worded elsewhere (by the library that failed).
    static EError Error(Action action, const QString& path, const QString& reason);

    // Raises the error for action when path names something that exists and
    // is not a regular file (a FIFO, a device, a folder). Only the path's
    // status is looked at: nothing is opened, so a FIFO cannot block.
    static void RefuseNonRegular(Action action, const QString& path);
    // Whether both paths name one existing file, links resolved (same device
    // and inode).
    static bool IsSameFile(const QString& first, const QString& second);
};
