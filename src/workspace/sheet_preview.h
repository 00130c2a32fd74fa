#pragma once
// The print sheet shrunk to fit the widget, its aspect kept, on a grey
// ground so that the paper's edges show.
#include <QImage>
#include <QWidget>

// Where a sheet is drawn in a preview of `area`: as large as fits within a
// margin of a few pixels, centred; empty when there is no room or no sheet.
QRect PreviewPlace(QSize sheet, QSize area);

class SheetPreview : public QWidget {
    Q_OBJECT
public:
    explicit SheetPreview(QWidget* parent = nullptr);

    void showSheet(const QImage& sheet);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage sheet_;
    QImage shrunk_; // the sheet at the size last drawn, made again when the size changes
};
