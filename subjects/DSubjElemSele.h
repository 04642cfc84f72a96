#pragma once

#include <QtGlobal>

// One of the four runtime selection counts of a subject (acceptance or
// rejection, received or given) with its density. The analyses fill it; it
// is never stored.
class DSubjElemSele
{
public:
    void Init()
    {
        count_ = 0;
        weighted_ = 0;
        density_ = 0.0;
    }
    // Count only: the density keeps its last value.
    void Set(quint32 value) { count_ = value; }
    // Count and density over the other subjects of a group of the given size;
    // a group of one or none has no other subjects and keeps the density.
    void Set(quint32 value, qint32 subjects)
    {
        count_ = value;
        if (subjects > 1)
            density_ = double(value) / double(subjects - 1);
    }
    quint32 Get() const { return count_; }
    // The count with choices scored by rank, beside the plain one; the
    // density stays that of the plain count.
    void SetWeighted(quint32 value) { weighted_ = value; }
    quint32 GetWeighted() const { return weighted_; }
    double GetDensity() const { return density_; }

private:
    quint32 count_ = 0;
    quint32 weighted_ = 0;
    double density_ = 0.0;
};
