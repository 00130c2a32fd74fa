#pragma once
// Every message box and standard dialog of the program goes through this
// interface, so that tests can stand in for the user and check the exact
// titles, texts, icons and buttons.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

enum class MessageIcon { None, Information, Warning, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer showMessage(const QString& title, const QString& text, MessageIcon icon,
                                      MessageButtons buttons) = 0;

    // The file dialogs return the chosen path, or the empty text when the user
    // cancels. `filter` is written as "描述|*.a;*.b".
    virtual QString chooseOpenFile(const QString& title, const QString& filter,
                                   const QString& startFolder) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& filter,
                                   const QString& startFolder, const QString& defaultSuffix) = 0;
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    // A choice from a list, `current` preselected: the chosen position, or
    // nothing when the user cancels.
    virtual std::optional<int> chooseItem(const QString& title, const QString& prompt, const QStringList& items,
                                          int current) = 0;
};
