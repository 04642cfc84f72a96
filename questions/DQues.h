#pragma once

#include "model/DFileKalCirSec.h"
#include "questions/DQuesList.h"

#include <QtGlobal>

class DFileStream;

// The questions component of the test: its file section and its list.
class DQues
{
public:
    explicit DQues(DQuesList::Resize resize);
    DQues(const DQues&) = delete;
    DQues& operator=(const DQues&) = delete;

    DQuesList& List() { return list_; }
    const DQuesList& List() const { return list_; }

    void New();
    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream, qint32 version);

    // Copies the questions of another document; this document's matrix is
    // not reshaped here (DTest does it).
    void TakeData(const DQues& other);

private:
    DFileKalCirSec sec_;
    DQuesList list_;
};
