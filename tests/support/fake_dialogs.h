#pragma once
// Stands in for the user at every dialog: records what was shown and answers
// from a script.
#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

struct FileDialogCall {
    QString title;
    QString filter;
    QString startFolder;
    QString defaultSuffix;
};

struct ItemChoice {
    QString title;
    QString prompt;
    QStringList items;
    int current = -1;
};

class FakeDialogs final : public Dialogs {
public:
    MessageAnswer showMessage(const QString& title, const QString& text, MessageIcon icon,
                              MessageButtons buttons) override;
    QString chooseOpenFile(const QString& title, const QString& filter,
                           const QString& startFolder) override;
    QString chooseSaveFile(const QString& title, const QString& filter, const QString& startFolder,
                           const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    std::optional<int> chooseItem(const QString& title, const QString& prompt, const QStringList& items,
                                  int current) override;

    // What was shown, in order.
    QList<ShownMessage> messages;
    QList<FileDialogCall> fileDialogs;

    // Answers, taken in order; when a list runs out the user cancels (or says No).
    QList<MessageAnswer> messageAnswers;
    QStringList fileAnswers;
    QList<QColor> colourAnswers;
    QList<QFont> fontAnswers;   // fonts chosen
    QList<QFont> fontsOffered;  // the font each font dialog started with
    QList<ItemChoice> itemChoices; // what each list offered
    QList<int> itemAnswers;        // positions chosen
};
