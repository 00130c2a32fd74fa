#pragma once
// An edit box with spin buttons whose text is free: the program, not the
// control, decides what a typed text means. Typing and writes from the
// program raise the same contentChanged signal (a write of the same text
// too); the spin buttons (and the up and down keys) only report their step,
// which the program applies. The wheel and the page keys do nothing.
#include <QAbstractSpinBox>
#include <QLineEdit>

class SpinEditBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinEditBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QLineEdit* editor() const { return lineEdit(); }

    void stepBy(int steps) override;

    // Typing takes digits only (at most nine); the program may still write any text.
    void setDigitsOnly(bool digitsOnly) { digitsOnly_ = digitsOnly; }
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void contentChanged();
    void spinned(int step);

protected:
    StepEnabled stepEnabled() const override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool digitsOnly_ = false;
};
