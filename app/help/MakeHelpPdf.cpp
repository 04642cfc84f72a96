// MakeHelpPdf INPUT.html OUTPUT.pdf [PICTURES_FOLDER]
//
// Build-time tool: typesets one help page, written in the rich-text HTML
// subset that QTextDocument understands, into an A4 PDF document with page
// numbers. The output file appears only when it was written completely.
// The page's pictures are looked up in PICTURES_FOLDER (by default the page's
// own folder); a picture that is not there fails the build rather than
// leaving a hole in the guide.
// Runs without a display (QT_QPA_PLATFORM=offscreen).

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextLayout>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace
{

// Page geometry, in millimetres.
constexpr double kMarginLeftMm = 20.0;
constexpr double kMarginRightMm = 20.0;
constexpr double kMarginTopMm = 18.0;
constexpr double kMarginBottomMm = 22.0;
constexpr double kFooterFromBottomMm = 11.0;
constexpr double kFooterHeightMm = 6.0;

constexpr int kResolutionDpi = 300;
constexpr int kBodyPointSize = 10;
constexpr int kFooterPointSize = 8;
const char* const kFontFamily = "DejaVu Sans";

// Upper bound on the layout passes that move headings to the next page.
constexpr int kMaxHeadingPasses = 64;

int fail(const QString& message)
{
    std::fprintf(stderr, "MakeHelpPdf: %s\n", qPrintable(message));
    return 1;
}

double mmToDevice(double mm)
{
    return mm * kResolutionDpi / 25.4;
}

// Lays the page out for `device` in pages of `pageSize` (device units). The
// blocks numbered in `breakBefore` start a new page. Every layout starts from
// a fresh document: changing the formats of a document that is already laid
// out only relays part of it.
std::unique_ptr<QTextDocument> typeset(const QString& html, const QUrl& pictures, QPaintDevice* device,
                                       const QSizeF& pageSize, const QSet<int>& breakBefore)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setBaseUrl(pictures);
    doc->setDefaultFont(QFont(QString::fromLatin1(kFontFamily), kBodyPointSize));
    doc->documentLayout()->setPaintDevice(device);
    doc->setHtml(html);

    QTextFrameFormat rootFormat = doc->rootFrame()->frameFormat();
    rootFormat.setMargin(0);
    doc->rootFrame()->setFrameFormat(rootFormat);

    for (const int number : breakBefore)
    {
        const QTextBlock block = doc->findBlockByNumber(number);
        if (!block.isValid())
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }

    // Paginated layout: no text line is cut by a page break.
    doc->setPageSize(pageSize);
    return doc;
}

// The number of the first heading that ends a page while the first line of
// the block after it lies on the next page; -1 when there is none.
int firstStrandedHeading(QTextDocument& doc, const QSet<int>& breakBefore)
{
    const double pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
    {
        if (block.blockFormat().headingLevel() <= 0 || breakBefore.contains(block.blockNumber()))
            continue;
        const QTextBlock next = block.next();
        if (!next.isValid())
            break;
        const QRectF headingRect = layout->blockBoundingRect(block);
        const QRectF nextRect = layout->blockBoundingRect(next);
        double nextFirstLineBottom = nextRect.bottom();
        if (const QTextLayout* nextLayout = next.layout(); nextLayout && nextLayout->lineCount() > 0)
            nextFirstLineBottom = nextRect.top() + nextLayout->lineAt(0).rect().bottom();
        const int headingPage = static_cast<int>(headingRect.top() / pageHeight);
        const int nextPage = static_cast<int>(nextFirstLineBottom / pageHeight);
        // A heading at the very top of its page cannot do better.
        const bool startsPage = headingRect.top() - headingPage * pageHeight < 1.0;
        if (nextPage > headingPage && !startsPage)
            return block.blockNumber();
    }
    return -1;
}

// The first picture of the document that cannot be read; empty when all can.
QString missingPicture(const QTextDocument& doc, const QDir& folder)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
        {
            const QTextFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (QImage(folder.filePath(name)).isNull())
                return name;
        }
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 4)
        return fail(QStringLiteral("usage: MakeHelpPdf INPUT.html OUTPUT.pdf [PICTURES_FOLDER]"));
    const QString inputPath = args.at(1);
    const QString outputPath = args.at(2);
    const QDir picturesFolder(args.size() == 4 ? args.at(3) : QFileInfo(inputPath).absolutePath());
    const QUrl pictures = QUrl::fromLocalFile(picturesFolder.absolutePath() + QLatin1Char('/'));

    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read \"%1\": %2").arg(inputPath, input.errorString()));
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot read \"%1\": %2").arg(inputPath, input.errorString()));
    input.close();
    if (bytes.trimmed().isEmpty())
        return fail(QStringLiteral("\"%1\" is empty").arg(inputPath));
    const QString html = QString::fromUtf8(bytes);

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot create \"%1\": %2").arg(outputPath, output.errorString()));

    // The whole sheet is the paint area; the margins are applied here, so
    // that the footer can sit below the text block.
    QPdfWriter writer(&output);
    writer.setResolution(kResolutionDpi);
    if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                          QPageLayout::Millimeter)))
        return fail(QStringLiteral("cannot set the A4 page layout"));

    const QRectF sheet(0, 0, writer.width(), writer.height());
    const QRectF body(mmToDevice(kMarginLeftMm), mmToDevice(kMarginTopMm),
                      sheet.width() - mmToDevice(kMarginLeftMm) - mmToDevice(kMarginRightMm),
                      sheet.height() - mmToDevice(kMarginTopMm) - mmToDevice(kMarginBottomMm));
    if (body.width() <= 0 || body.height() <= 0)
        return fail(QStringLiteral("the page is too small for its margins"));

    // Keep every heading on the page of the text that follows it.
    QSet<int> breakBefore;
    std::unique_ptr<QTextDocument> doc = typeset(html, pictures, &writer, body.size(), breakBefore);
    for (int pass = 0; pass < kMaxHeadingPasses; ++pass)
    {
        const int stranded = firstStrandedHeading(*doc, breakBefore);
        if (stranded < 0)
            break;
        breakBefore.insert(stranded);
        doc = typeset(html, pictures, &writer, body.size(), breakBefore);
    }

    if (const QString missing = missingPicture(*doc, picturesFolder); !missing.isEmpty())
        return fail(QStringLiteral("the picture \"%1\" of \"%2\" is missing").arg(missing, inputPath));

    const int pageCount = doc->pageCount();
    if (pageCount < 1)
        return fail(QStringLiteral("\"%1\" produced no page").arg(inputPath));

    QString title = doc->metaInformation(QTextDocument::DocumentTitle).trimmed();
    if (title.isEmpty())
        title = QStringLiteral("Kaleidocircle");
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kaleidocircle MakeHelpPdf"));

    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot start the PDF document \"%1\"").arg(outputPath));

    const QFont footerFont(QString::fromLatin1(kFontFamily), kFooterPointSize);
    const QRectF footer(body.left(), sheet.height() - mmToDevice(kFooterFromBottomMm), body.width(),
                        mmToDevice(kFooterHeightMm));

    for (int i = 0; i < pageCount; ++i)
    {
        if (i > 0 && !writer.newPage())
        {
            painter.end();
            return fail(QStringLiteral("cannot start page %1").arg(i + 1));
        }

        // The slice of the document that belongs on this page.
        const QRectF view(0, i * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(body.left(), body.top() - view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();

        painter.save();
        painter.setFont(footerFont);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop, title);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 / %2").arg(i + 1).arg(pageCount));
        painter.restore();
    }

    if (!painter.end())
        return fail(QStringLiteral("cannot finish the PDF document \"%1\"").arg(outputPath));
    if (!output.commit())
        return fail(QStringLiteral("cannot write \"%1\": %2").arg(outputPath, output.errorString()));
    return 0;
}
