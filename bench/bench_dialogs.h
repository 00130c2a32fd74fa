#pragma once
// Dialogs for the benchmarks: every message is answered with OK (the last
// one kept), the open dialog with a chosen file, anything else cancelled.
#include "platform/dialogs.h"

class BenchDialogs final : public Dialogs {
public:
    explicit BenchDialogs(QString openFile = {}) : openFile_(std::move(openFile)) {}
    MessageAnswer showMessage(const QString&, const QString& text, MessageIcon, MessageButtons) override
    {
        lastMessage = text;
        return MessageAnswer::Ok;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return openFile_; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
    std::optional<QColor> chooseColour(const QColor&) override { return std::nullopt; }
    std::optional<int> chooseItem(const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    QString lastMessage;

private:
    QString openFile_;
};
