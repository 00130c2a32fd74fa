#include "workspace/spin_edit_box.h"

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
    lineEdit()->setText(text);
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
