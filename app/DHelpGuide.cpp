#include "app/DHelpGuide.h"

#include "lang/DLanguage.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QString DHelpGuide::Html(int language)
{
    // The resource lives in a static library: registered once, on first use.
    static const bool registered = []
    {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    Q_UNUSED(registered);
    const QString path = language == DLanguage::Italian ? QStringLiteral(":/help/guide-ita.html")
                                                        : QStringLiteral(":/help/guide-eng.html");
    QFile file(path);
    // Built into the program: it cannot be missing unless the build is broken.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QList<DHelpGuide::Heading> DHelpGuide::Headings(const QTextDocument& document)
{
    QList<Heading> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    {
        const int level = block.blockFormat().headingLevel();
        if (level > 0 && !block.text().trimmed().isEmpty())
            headings.append({level, block.text().simplified(), block.position()});
    }
    return headings;
}

QTextCursor DHelpGuide::Find(const QTextDocument& document, const QString& words, const QTextCursor& from)
{
    const QString wanted = words.simplified();
    if (wanted.isEmpty())
        return {};
    QTextCursor found = document.find(wanted, from);
    if (found.isNull() && !from.isNull() && from.position() > 0)
        found = document.find(wanted, 0);
    return found;
}
