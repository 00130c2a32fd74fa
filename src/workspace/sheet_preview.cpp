#include "workspace/sheet_preview.h"

#include <QPainter>

namespace {
constexpr int kMargin = 8;
}

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 200);
}

void SheetPreview::showSheet(const QImage& sheet)
{
    sheet_ = sheet;
    shrunk_ = QImage();
    update();
}

QRect PreviewPlace(QSize sheet, QSize area)
{
    const QSize room = area.shrunkBy(QMargins(kMargin, kMargin, kMargin, kMargin));
    if (sheet.isEmpty() || room.isEmpty())
        return {};
    const QSize size = sheet.scaled(room, Qt::KeepAspectRatio);
    return {QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size};
}

void SheetPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const QRect place = PreviewPlace(sheet_.size(), size());
    if (place.isEmpty())
        return;
    // Smooth shrinking keeps the thin cut lines faintly visible.
    if (shrunk_.size() != place.size())
        shrunk_ = sheet_.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(place.topLeft(), shrunk_);
}
