#include "platform/qt_dialogs.h"

#include "platform/file_filter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

MessageAnswer QtDialogs::showMessage(const QString& title, const QString& text, MessageIcon icon,
                                     MessageButtons buttons)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == MessageButtons::YesNo)
        return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

// A filter whose description already lists its patterns shows them once.
static QFileDialog::Options filterOptions(const QString& filter)
{
    return filter.section(QLatin1Char('|'), 0, 0).contains(QLatin1Char('*')) ? QFileDialog::HideNameFilterDetails
                                                                            : QFileDialog::Options();
}

QString QtDialogs::chooseOpenFile(const QString& title, const QString& filter,
                                  const QString& startFolder)
{
    return QFileDialog::getOpenFileName(parent_, title, startFolder, qtFileFilter(filter), nullptr,
                                        filterOptions(filter));
}

QString QtDialogs::chooseSaveFile(const QString& title, const QString& filter,
                                  const QString& startFolder, const QString& defaultSuffix)
{
    QFileDialog dialog(parent_, title, startFolder, qtFileFilter(filter));
    dialog.setOptions(filterOptions(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = defaultSuffix;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::chooseFolder(const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent_, title, startFolder);
}

std::optional<QFont> QtDialogs::chooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> QtDialogs::chooseColour(const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent_);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<int> QtDialogs::chooseItem(const QString& title, const QString& prompt, const QStringList& items,
                                         int current)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent_, title, prompt, items, current, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(items.indexOf(chosen));
}
