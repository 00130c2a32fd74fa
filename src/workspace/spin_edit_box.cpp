#include "workspace/spin_edit_box.h"

#include <QKeyEvent>
#include <QWheelEvent>

SpinEditBox::SpinEditBox(QWidget* parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEditBox::contentChanged);
}

QString SpinEditBox::text() const
{
    return lineEdit()->text();
}

void SpinEditBox::setText(const QString& text)
{
    // A write from the program counts as a change even when the text stays
    // the same, as typing the same value again would.
    if (lineEdit()->text() == text)
        emit contentChanged();
    else
        lineEdit()->setText(text);
}

void SpinEditBox::wheelEvent(QWheelEvent* event)
{
    event->ignore(); // a turn of the wheel while scrolling nearby must not resize the frame
}

void SpinEditBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEditBox::stepBy(int steps)
{
    if (steps != 0)
        emit spinned(steps > 0 ? 1 : -1);
}

QAbstractSpinBox::StepEnabled SpinEditBox::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State SpinEditBox::validate(QString& input, int&) const
{
    if (!digitsOnly_)
        return QValidator::Acceptable;
    if (input.size() > 9)
        return QValidator::Invalid;
    for (QChar c : input) {
        if (c < u'0' || c > u'9')
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}
