// The yardstick of the export benchmark: the least a Qt program that paints
// does from start to exit (a GUI application offscreen, one small picture
// with a text, saved as PNG). The export's whole process is measured
// against it, so the cost of starting Qt is not counted as the export's.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawRect(2, 2, 60, 28);
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Qt"));
    }
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
