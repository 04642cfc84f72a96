#include "pages/TGraphOutput.h"

#include "document/DTest.h"
#include "export/DPictureFile.h"
#include "kit/DGlyph.h"
#include "kit/DMessages.h"
#include "kit/DPrintPreview.h"
#include "kit/TFormPage.h"
#include "kit/TSaveDialog.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"

#include <QDate>
#include <QPainter>
#include <QPrinter>
#include <QToolButton>

namespace
{
// The layouts are measured at 96 dpi: a printer asked for the same
// resolution sizes every text as the picture expects, and the world
// transform alone fits the picture to the page.
constexpr int kPrintDpi = 96;
const char* const kSaveDialogName = "SavePictureDialog";
const char* const kSuffixes[] = {"png", "svg", "pdf"};
constexpr int kFilterIds[] = {28130, 28140, 28150};

QToolButton* StripButton(QWidget* strip, DGlyph::Page glyph)
{
    auto* button = new QToolButton(strip);
    button->setAutoRaise(true);
    button->setFixedSize(TFormPage::kButtonSize, TFormPage::kButtonSize);
    button->setIconSize(QSize(TFormPage::kIconSize, TFormPage::kIconSize));
    button->setIcon(DGlyph::PageIcon(glyph, TFormPage::kIconSize));
    return button;
}
} // namespace

TGraphOutput::TGraphOutput(DTest& test, DLanguage& language, DGraphPainting::Analysis analysis, const char* module,
                           QWidget* strip, int y)
    : QObject(strip), test_(test), language_(language), analysis_(analysis), parent_(strip->parentWidget()),
      printModule_(QByteArray(module) + "::PrintSbClick()"), saveModule_(QByteArray(module) + "::SavePicSbClick()")
{
    PrintSb = StripButton(strip, DGlyph::Page::Print);
    SavePicSb = StripButton(strip, DGlyph::Page::SavePicture);
    MoveTo(y);
    connect(PrintSb, &QToolButton::clicked, this, &TGraphOutput::PrintSbClick);
    connect(SavePicSb, &QToolButton::clicked, this, &TGraphOutput::SavePicSbClick);
    ViewDesc();
}

void TGraphOutput::MoveTo(int y)
{
    PrintSb->move(2, y);
    SavePicSb->move(2, y + TFormPage::kButtonSize);
}

void TGraphOutput::ViewDesc()
{
    TFormPage::SetHint(PrintSb, language_.GetStr(28100));
    TFormPage::SetHint(SavePicSb, language_.GetStr(28110));
}

DGraphPainting TGraphOutput::Painting() const
{
    const QStringList caption =
        DGraphPainting::CaptionLines(analysis_, test_.graph, test_.file.FileName(), QDate::currentDate());
    return DGraphPainting::Of(analysis_, test_.graph).WithCaption(caption);
}

void TGraphOutput::PrintTo(QPrinter& printer) const
{
    const DGraphPainting painting = Painting();
    printer.setResolution(kPrintDpi);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EError(60000, {printModule_.constData()});
    // The painter's origin is the printable area's corner already.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    painting.PaintFitted(painter, QRectF(QPointF(0, 0), page.size()));
    painter.end();
}

void TGraphOutput::SaveTo(const QString& path) const
{
    DFileWriter::Write(path,
                       DPictureFile::Bytes(DPictureFile::FormatOf(path), Painting(), DGraphPainting::Name(analysis_)));
}

void TGraphOutput::RunPreview(QPrinter& printer) const
{
    if (printDialog_)
    {
        printDialog_(printer);
        return;
    }
    DPrintPreview::Show(parent_, language_.GetStr(28160), printer, [this](QPrinter& target) { PrintTo(target); });
}

void TGraphOutput::PrintSbClick()
{
    DMessages::Handle(language_, printModule_.constData(),
                      [&]
                      {
                          // Checked and laid out first: a test that cannot be drawn
                          // says so before any dialog opens.
                          const QSize size = Painting().Size();
                          QPrinter printer(QPrinter::HighResolution);
                          printer.setDocName(DGraphPainting::Name(analysis_));
                          printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape
                                                                                  : QPageLayout::Portrait);
                          RunPreview(printer);
                      });
}

QString TGraphOutput::AskPath() const
{
    if (saveDialog_)
        return saveDialog_();
    QList<TSaveDialog::Kind> kinds;
    for (std::size_t i = 0; i < std::size(kFilterIds); ++i)
        kinds.append({language_.GetStr(kFilterIds[i]), QLatin1String(kSuffixes[i])});
    return TSaveDialog::Ask(parent_, kSaveDialogName, language_.GetStr(28120), kinds);
}

void TGraphOutput::SavePicSbClick()
{
    DMessages::Handle(language_, saveModule_.constData(),
                      [&]
                      {
                          const QString path = AskPath();
                          if (!path.isEmpty())
                              SaveTo(path);
                      });
}
