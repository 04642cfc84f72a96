#pragma once

#include "answers/DAnswNum.h"
#include "answers/DAnswSubjSort.h"
#include "model/DFileKalCirSec.h"

class DDesi;
class DFileStream;

// The answer settings of the test: number of answers and name order.
class DAnsw
{
public:
    explicit DAnsw(DDesi& desi);
    DAnsw(const DAnsw&) = delete;
    DAnsw& operator=(const DAnsw&) = delete;

    void New();
    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    // Copies both settings of another document; the matrix is not told.
    void TakeData(const DAnsw& other);

    DAnswNum num;
    DAnswSubjSort subjSort;

private:
    DFileKalCirSec sec_;
};
