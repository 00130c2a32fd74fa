#pragma once
// The one visible surface of the view: it paints the view buffer that the
// program renders into, and reports the mouse and keys to the main window.
#include <QImage>
#include <QWidget>

class ViewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ViewPanel(QWidget* parent = nullptr);

    // The picture this panel shows, as rendered by the program.
    void setViewBuffer(const QImage* buffer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* buffer_ = nullptr;
};
