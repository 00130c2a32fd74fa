#include "naming/name_list.h"

#include <utility>

NameList::NameList(AppState& state, Dialogs& dialogs, QWidget* mainWindow, BookOpener opener)
    : state_(state), dialogs_(dialogs), mainWindow_(mainWindow), opener_(std::move(opener))
{
}

NameList::~NameList()
{
    delete window_.data();
}

void NameList::open(NameListContext context)
{
    if (window_) {
        window_->keepOpen();
        focus();
        return;
    }
    auto* w = new NameListWindow(state_, dialogs_, opener_, context, mainWindow_);
    connect(w, &NameListWindow::closed, this, [this, w] {
        if (window_ == w)
            window_ = nullptr;
        w->deleteLater();
    });
    window_ = w;
    w->show();
}

void NameList::closeAndReset()
{
    if (window_) {
        // While a sheet is read the window closes, and forgets, when the read returns.
        window_->close();
        return;
    }
    NameListState& list = state_.nameList;
    list.windowOpen = false;
    list.imported = false;
    list.selectedName.clear();
}

void NameList::focus()
{
    if (!window_)
        return;
    if (window_->isMinimized())
        window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

void NameList::wordFor(NameListContext context)
{
    if (window_)
        window_->wordFor(context);
}

void NameList::advanceRow(NameListContext context)
{
    if (window_)
        window_->advanceNameRow(context);
}
