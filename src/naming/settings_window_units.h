#pragma once
// What the two settings windows of the batch modes (批量截图设置 and
// 批量速拍设置) are made of: named units at their design places, the format
// box, the folder boxes and the naming box that turns into an edit box while
// the custom scheme is chosen.
#include "platform/named_unit.h"

#include <QComboBox>
#include <QRect>
#include <QString>
#include <QStringList>

class Dialogs;
class NameListSeam;
class QCheckBox;
class QLineEdit;
class QPushButton;
struct BatchSettingsRefusal;
struct NameListState;

namespace SettingsUnits {

void label(QWidget* parent, const char* name, const char* text, QRect geometry);
QPushButton* button(QWidget* parent, const char* name, const char* text, QRect geometry);
QCheckBox* checkBox(QWidget* parent, const char* name, const char* text, QRect geometry);

// The format box: the offered output formats " *.JPG", " *.BMP", " *.GIF", " *.PNG".
QComboBox* formatBox(QWidget* parent, const char* name, QRect geometry);
// The extension of a format box item; outside the list, ".JPG".
QString formatAt(int index);
// Selects the item of the kept extension; an extension that is not offered
// selects the first item and is reset to ".JPG".
void selectFormat(QComboBox* box, QString& extension);

// A kept folder as its box shows it: native separators and one trailing separator.
QString shownFolder(const QString& folder);

// The folder dialog for a folder box, starting at the box's text; a cancel
// keeps what the user had typed.
void browseFolder(Dialogs& dialogs, QLineEdit* box, const QString& title);

// A refused OK: the reminder, and the naming box takes the focus when the
// refusal is about the prefix.
void showRefusal(Dialogs& dialogs, const BatchSettingsRefusal& refusal, QWidget* namingBox);

// Any scheme but the spreadsheet one closes an open name list and forgets it.
void closeNameListUnless(bool spreadsheetChosen, NameListSeam& nameList,
                         const NameListState& nameListState);

} // namespace SettingsUnits

// The naming box: a drop-down of the naming schemes that becomes an edit box
// for the prefix while the custom scheme is chosen.
class NamingBox : public QComboBox {
    Q_OBJECT
public:
    NamingBox(const QStringList& schemes, int customScheme, QWidget* parent);

    // Opens on a stored scheme. On the custom scheme the box shows the kept
    // prefix, so that an OK without retyping keeps it instead of taking the
    // scheme label.
    void showScheme(int index, const QString& keptPrefix);

    // Closing the list, with a choice or without, sets the style of the
    // scheme that stays chosen again: editable only for the custom scheme,
    // and then empty.
    void hidePopup() override;

signals:
    // The user picked a scheme, also the one already chosen; the box has
    // taken that scheme's style.
    void schemeChosen(int index);

private:
    void applyStyle(int index);

    int customScheme_;
    bool restyling_ = false; // the box is being switched between editable and fixed
};
