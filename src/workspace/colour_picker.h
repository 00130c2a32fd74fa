#pragma once
// A button that shows a colour as a swatch; a click asks for a new colour.
#include <QColor>
#include <QPushButton>

class ColourPicker : public QPushButton {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

signals:
    void colourChanged();
    void pickRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};
