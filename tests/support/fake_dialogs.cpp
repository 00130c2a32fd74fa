#include "support/fake_dialogs.h"

MessageAnswer FakeDialogs::showMessage(const QString& title, const QString& text, MessageIcon icon,
                                       MessageButtons buttons)
{
    messages.append({title, text, icon, buttons});
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

QString FakeDialogs::chooseOpenFile(const QString& title, const QString& filter,
                                    const QString& startFolder)
{
    fileDialogs.append({title, filter, startFolder, {}});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString FakeDialogs::chooseSaveFile(const QString& title, const QString& filter,
                                    const QString& startFolder, const QString& defaultSuffix)
{
    fileDialogs.append({title, filter, startFolder, defaultSuffix});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString FakeDialogs::chooseFolder(const QString& title, const QString& startFolder)
{
    fileDialogs.append({title, {}, startFolder, {}});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

std::optional<QFont> FakeDialogs::chooseFont(const QFont& initial)
{
    fontsOffered.append(initial);
    if (fontAnswers.isEmpty())
        return std::nullopt;
    return fontAnswers.takeFirst();
}

std::optional<QColor> FakeDialogs::chooseColour(const QColor&)
{
    if (colourAnswers.isEmpty())
        return std::nullopt;
    return colourAnswers.takeFirst();
}

std::optional<int> FakeDialogs::chooseItem(const QString& title, const QString& prompt, const QStringList& items,
                                           int current)
{
    itemChoices.append({title, prompt, items, current});
    if (itemAnswers.isEmpty())
        return std::nullopt;
    return itemAnswers.takeFirst();
}
