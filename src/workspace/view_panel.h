#pragma once
// The one visible surface of the view: it paints the view panel's picture,
// as the program rendered it, and reports the mouse, the keys and dropped
// files to the main window.
#include <QImage>
#include <QWidget>

class QKeyEvent;

class ViewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ViewPanel(QWidget* parent = nullptr);

    // The picture this panel shows; it must outlive the panel.
    void setViewBuffer(const QImage* buffer);

signals:
    void leftPressed(QPoint position);
    void leftReleased(QPoint position);
    void rightPressed(QPoint position);
    void mouseMoved(QPoint position);
    void wheelTurned(int notches);
    void keyPressed(QKeyEvent* event);
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const QImage* buffer_ = nullptr;
};
