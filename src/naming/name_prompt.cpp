#include "naming/name_prompt.h"

#include "naming/output_naming.h"
#include "platform/blank_text.h"

#include <QStringList>

// One left-to-right pass: text that comes together only after a removal is
// left for the next extension's pass, which is why the order matters.
static QString withoutEveryOccurrence(const QString& text, const QString& extension)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype hit; (hit = text.indexOf(extension, from, Qt::CaseInsensitive)) >= 0;) {
        result += QStringView(text).mid(from, hit - from);
        from = hit + extension.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QString PromptedName(const QString& typed, NameCommit commit)
{
    static const QStringList kEnterOrder = {QStringLiteral(".jpg"), QStringLiteral(".bmp"),
                                            QStringLiteral(".gif"), QStringLiteral(".png")};
    static const QStringList kButtonOrder = {QStringLiteral(".bmp"), QStringLiteral(".jpg"),
                                             QStringLiteral(".gif"), QStringLiteral(".png")};
    QString name = TrimBlanks(typed);
    if (name.isEmpty())
        return {};
    for (const QString& extension : commit == NameCommit::EnterKey ? kEnterOrder : kButtonOrder)
        name = withoutEveryOccurrence(name, extension);
    // What is left may be only spaces, e.g. of ".jpg　.jpg".
    name = SafeFileName(name);
    return TrimBlanks(name).isEmpty() ? QString() : name;
}
