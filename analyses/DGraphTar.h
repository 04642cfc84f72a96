#pragma once

#include "analyses/DGraphTarCat.h"
#include "analyses/DGraphTarStat.h"
#include "analyses/DGraphTarSubjDim.h"

#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class DFileStream;
class DGraph;
class DSubjElem;
class DSubjList;
class QImage;
class QPainter;

// The target diagram: the subjects sorted into sociometric categories, one
// ring per category around a common centre, the most favoured in the middle,
// with a legend of the categories below.
class DGraphTar
{
public:
    explicit DGraphTar(DGraph& graph);
    DGraphTar(const DGraphTar&) = delete;
    DGraphTar& operator=(const DGraphTar&) = delete;

    static constexpr int kSlots = 7;

    // Counts what every subject received through the questions selected for
    // the target diagram, sorts the subjects into the categories of the
    // current algorithm and computes the radii of their rings.
    void Prepare(DSubjList& subjects);

    // Checks the answers, prepares and draws the document's subjects; the
    // picture takes the diagram's size. On any failure the picture is left
    // white and the error passes on.
    void Draw(QImage& picture);
    void Draw(DSubjList& subjects, QImage& picture);

    const std::array<DGraphTarCat, kSlots>& Categories() const { return categories_; }

    // The categorisation is stored with the test, so it counts as a change
    // like the subject size.
    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);
    // Copies both options with their change states.
    void TakeData(const DGraphTar& other);

    DGraphTarStat stat;
    DGraphTarSubjDim subjDim;

    // --- The rules and the geometry, free of any painting. ---

    // Slots from the centre outwards: A..F of the frequency algorithm, or
    // A, B, C, D, E of preference and impact.
    static std::vector<int> RingOrder(bool rankPositive);
    // The string id of a used slot's label.
    static int LabelId(bool rankPositive, int slot);

    // Frequency of positive questions: the slot of a subject with a
    // acceptances and r rejections received when every subject can give f
    // acceptances.
    static int FrequencySlot(quint32 a, quint32 r, qint32 f);
    // Social preference and impact: the slot for standardised scores.
    static int PreferenceSlot(double zA, double zR);

    struct Score
    {
        double zA;
        double zR;
    };
    // Standardises the counts over the group. An axis without spread (a
    // standard deviation of 0) has no scores: the first raises the message
    // that says which counts are all the same, the second gives nothing.
    static std::vector<Score> Standardise(const std::vector<quint32>& acceptances,
                                          const std::vector<quint32>& rejections);
    static std::optional<std::vector<Score>> TryStandardise(const std::vector<quint32>& acceptances,
                                                            const std::vector<quint32>& rejections);

    // What the categorisations count from: the acceptances and rejections
    // every subject received (in list order) through the questions selected
    // for the diagram, the answers per question and how many positive and
    // negative questions are selected.
    struct Counts
    {
        std::vector<quint32> acceptances;
        std::vector<quint32> rejections;
        qint32 answers = 0;
        qint32 positive = 0;
        qint32 negative = 0;
    };
    Counts Count(const DSubjList& subjects) const;
    // The slot of every subject under a scheme (DGraphTarStat::Scheme).
    // Preference and impact without spread raises the message that says why.
    static std::vector<int> Slots(int scheme, const Counts& counts);

    // Radii given in ring order: neighbouring rings end exactly cel apart,
    // no ring smaller than its minimum.
    static void EqualiseRadii(std::vector<qint32>& radii, qint32 cel);

    struct Layout
    {
        int width;  // W: the drawing rectangle is (0, 0)-(W, height)
        int height; // W plus the legend
        int legend; // legend height
        QPoint centre;
    };
    static Layout ComputeLayout(qint32 cel, qint32 outerRadius, int textHeight, bool rankPositive);

    // The two halves of Draw for any surface: Lay checks the answers,
    // prepares the subjects and gives the layout (the picture is one pixel
    // larger than it each way); PaintOn paints the prepared diagram onto a
    // surface of that size (96 dpi).
    Layout Lay(DSubjList& subjects);
    void PaintOn(QPainter& painter, const Layout& layout);

    // Positions of a category's n subjects on a ring of the given radius,
    // counter-clockwise on screen from the letter at the top.
    static std::vector<QPoint> Positions(QPoint centre, qint32 radius, int count);
    // The circle of a ring (a rectangle whose outline is painted inclusive).
    static QRect Circle(QPoint centre, qint32 radius, qint32 cel);
    // The cell of a category's letter, straight above the centre on the ring.
    static QRect LetterRect(QPoint centre, qint32 radius, qint32 cel);
    // A subject's box around its position (outline painted inclusive).
    static QRect SubjectBox(QPoint position, qint32 box);
    // The text lines of a large box: identifier, surname, name.
    static std::array<QRect, 3> SubjectTexts(const QRect& box);

private:
    void Categorise(DSubjList& subjects, const Counts& counts);
    void DrawCategory(const DGraphTarCat& category);
    void DrawSubj(const DSubjElem& subject);

    DGraph& graph_;
    std::array<DGraphTarCat, kSlots> categories_;
    // State of one drawing.
    QPainter* painter_ = nullptr;
    qint32 cel_ = 64;
    qint32 sbj_ = 44;
    QPoint centre_;
    QPoint position_;
};
