#pragma once
// The spreadsheet name list as the rest of the program sees it: one object,
// made once by the main window, that opens, words, advances and closes the
// name list window.
#include "naming/name_list_seam.h"
#include "naming/name_list_window.h"

#include <QObject>
#include <QPointer>

class Dialogs;
class QWidget;

class NameList final : public QObject, public NameListSeam {
    Q_OBJECT
public:
    // The window opens over `mainWindow`; `opener` reads the chosen files.
    NameList(AppState& state, Dialogs& dialogs, QWidget* mainWindow, BookOpener opener = OpenSpreadsheet);
    ~NameList() override;

    void open(NameListContext context) override;
    void closeAndReset() override;
    void focus() override;
    void wordFor(NameListContext context) override;
    void advanceRow(NameListContext context) override;

    // The open window; null while none is open.
    NameListWindow* windowForTest() const { return window_; }

private:
    AppState& state_;
    Dialogs& dialogs_;
    QWidget* mainWindow_;
    BookOpener opener_;
    QPointer<NameListWindow> window_;
};
