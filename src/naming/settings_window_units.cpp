#include "naming/settings_window_units.h"

#include "platform/named_unit.h"
#include "state/settings.h"
#include "naming/batch_settings_checks.h"
#include "naming/name_list_seam.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// The offered output formats, in the order of the format box.
const QStringList kFormats = {QStringLiteral(".JPG"), QStringLiteral(".BMP"),
                              QStringLiteral(".GIF"), QStringLiteral(".PNG")};

} // namespace

namespace SettingsUnits {

void label(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    Named(new QLabel(QString::fromUtf8(text), parent), name, geometry);
}

QPushButton* button(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    return Named(new QPushButton(QString::fromUtf8(text), parent), name, geometry);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    return Named(new QCheckBox(QString::fromUtf8(text), parent), name, geometry);
}

QComboBox* formatBox(QWidget* parent, const char* name, QRect geometry)
{
    QComboBox* box = Named(new QComboBox(parent), name, geometry);
    for (const QString& format : kFormats)
        box->addItem(QStringLiteral(" *") + format);
    return box;
}

QString formatAt(int index)
{
    return index >= 0 && index < kFormats.size() ? kFormats[index] : kDefaultExtension;
}

void selectFormat(QComboBox* box, QString& extension)
{
    const int format = static_cast<int>(kFormats.indexOf(extension));
    if (format < 0)
        extension = kDefaultExtension;
    box->setCurrentIndex(std::max(format, 0));
}

QString shownFolder(const QString& folder)
{
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder) + QDir::separator();
}

void browseFolder(Dialogs& dialogs, QLineEdit* box, const QString& title)
{
    const QString chosen = dialogs.chooseFolder(title, box->text());
    if (!chosen.isEmpty())
        box->setText(chosen);
}

void showRefusal(Dialogs& dialogs, const BatchSettingsRefusal& refusal, QWidget* namingBox)
{
    dialogs.showMessage(QStringLiteral("提醒："), refusal.message, MessageIcon::Information,
                        MessageButtons::Ok);
    if (refusal.focusNamingBox)
        namingBox->setFocus();
}

void closeNameListUnless(bool spreadsheetChosen, NameListSeam& nameList,
                         const NameListState& nameListState)
{
    if (!spreadsheetChosen && nameListState.windowOpen)
        nameList.closeAndReset();
}

} // namespace SettingsUnits

NamingBox::NamingBox(const QStringList& schemes, int customScheme, QWidget* parent)
    : QComboBox(parent), customScheme_(customScheme)
{
    addItems(schemes);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (restyling_)
            return;
        applyStyle(index);
        emit schemeChosen(index);
    });
}

void NamingBox::showScheme(int index, const QString& keptPrefix)
{
    setCurrentIndex(index);
    applyStyle(index);
    if (index == customScheme_)
        setEditText(keptPrefix);
}

void NamingBox::hidePopup()
{
    QComboBox::hidePopup();
    // Closing the list, with a choice or without, applies the chosen
    // scheme's style again, as a choice does.
    applyStyle(currentIndex());
}

void NamingBox::applyStyle(int index)
{
    restyling_ = true;
    if (index == customScheme_) {
        setEditable(true);
        // The typed prefix stays a prefix: Enter must not add it to the
        // schemes, and no scheme label is completed into it.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
        clearEditText();
    } else {
        setEditable(false);
    }
    restyling_ = false;
}
