#pragma once
#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: QMessageBox, QFileDialog, QFontDialog and QColorDialog,
// each modal over the window given as parent.
class QtDialogs final : public Dialogs {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

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

private:
    QPointer<QWidget> parent_;
};
