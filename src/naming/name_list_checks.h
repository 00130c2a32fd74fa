#pragma once
// What a save or shot named by a spreadsheet cell checks first: the name
// list window is open, a list is imported and a cell with text is chosen.
#include "state/app_state.h"
#include "naming/name_list_seam.h"

#include <QString>

#include <functional>

class Dialogs;

inline const QString kNeedNameListQuestion =
    QStringLiteral("当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？");
inline const QString kImportNameListFirstMessage = QStringLiteral("请先导入EXCEL文件。");

// The message for a missing cell choice, worded for a crop or a shot.
QString ChooseNameCellMessage(NameListContext context);

// True when the name may be taken. Otherwise the user was told: without the
// window, asked whether to keep the scheme (Yes opens the window, No runs
// `declined`); without a list, sent to the window; without a name, asked to
// click a cell.
bool SpreadsheetNamingReady(const NameListState& list, Dialogs& dialogs, NameListSeam& nameList,
                            NameListContext context, const std::function<void()>& declined);
