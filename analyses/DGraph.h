#pragma once

#include "analyses/DGraphBar.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphListSubj.h"
#include "analyses/DGraphMet.h"
#include "analyses/DGraphSoc.h"
#include "analyses/DGraphTar.h"
#include "analyses/DGraphWeight.h"
#include "model/DFileKalCirSec.h"

#include <QtGlobal>

#include <vector>

class DDesi;
class DFileStream;
class DQues;
class DSubj;

// The analyses component of the test: the subject and connection lists the
// analyses draw from, and the four analyses with their options, stored in
// slot 4 of the test file.
class DGraph
{
public:
    DGraph(DDesi& desi, DQues& ques, DSubj& subj);
    DGraph(const DGraph&) = delete;
    DGraph& operator=(const DGraph&) = delete;

    // The document's siblings the analyses count from.
    DDesi& Desi() const { return desi_; }
    DQues& Ques() const { return ques_; }
    DSubj& Subj() const { return subj_; }

    // Refilled by each analysis when it prepares its picture; the entries
    // refer to subject records and are valid until the subject list is resized.
    std::vector<DGraphListSubj>& Subjects() { return subjects_; }
    const std::vector<DGraphListSubj>& Subjects() const { return subjects_; }
    std::vector<DGraphListConn>& Connections() { return connections_; }
    const std::vector<DGraphListConn>& Connections() const { return connections_; }

    // Rebuilds the connection list from the answers to the questions of one
    // polarity that are selected for the sociogram. The subject list must
    // already hold the subjects.
    void GetConnections(bool acceptance);
    // Records one choice: identifiers of chooser and chosen, 0-based answer
    // position. Raises 50020 (list unchanged) when either is not listed.
    void SetConnection(qint32 chooser, qint32 chosen, qint32 rank);

    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    // Version 1 sections lack the metric table order.
    void FromFile(DFileStream& stream, qint32 version);
    // Copies every option, with its change state, from another document's
    // analyses; the references to this document's siblings stay.
    void TakeData(const DGraph& other);

private:
    DDesi& desi_;
    DQues& ques_;
    DSubj& subj_;
    std::vector<DGraphListSubj> subjects_;
    std::vector<DGraphListConn> connections_;
    DFileKalCirSec sec_{4};
    // Position + 1 of each pair's connection, filled only while
    // GetConnections rebuilds the list.
    std::vector<qint32> pairIndex_;

public:
    DGraphBar bar;
    DGraphTar tar;
    DGraphSoc soc;
    DGraphMet met;
    // Scores of the bar graph and the metric table; kept in the tagged
    // section (by DTest), not in this section.
    DGraphWeight weight;
};
