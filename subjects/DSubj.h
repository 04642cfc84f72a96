#pragma once

#include "model/DElemString.h"
#include "model/DFileKalCirSec.h"
#include "subjects/DSubjList.h"

#include <QtGlobal>

class DFileStream;

// The subjects component of the test: the description of the group and the
// list of its subjects, stored in slot 2 of the test file.
class DSubj
{
public:
    explicit DSubj(DSubjList::Resize resize);
    DSubj(const DSubj&) = delete;
    DSubj& operator=(const DSubj&) = delete;

    // Ten default subjects and an empty description.
    void New();
    bool IsChangedByUser() const;

    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    // Copies the description and the subjects of a test read elsewhere. The
    // choice matrix is left alone: the document resizes it afterwards.
    void TakeData(const DSubj& other);

    qint32 Count() const { return list_.GetSize(); }

    DElemString& Description() { return description_; }
    const DElemString& Description() const { return description_; }
    DSubjList& List() { return list_; }
    const DSubjList& List() const { return list_; }

private:
    DFileKalCirSec section_{2};
    DElemString description_;
    DSubjList list_;
};
