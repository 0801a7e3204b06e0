#pragma once

#include "platform/Windows.h"

#include <QMainWindow>
#include <QWidget>

namespace platform {

// The Qt widget behind one window: it turns the toolkit's events into the window's
// messages and shows the window's 16-bit surface. A bordered window keeps a 1-pixel
// frame around its client area.
class HostWidget : public QWidget {
public:
    HostWidget(WindowHandle handle, bool bordered, QWidget* parent, Qt::WindowFlags flags = {});

    WindowHandle Handle() const { return handle; }
    // Stops every message, for a window that is being destroyed.
    void Detach() { handle = 0; }
    int Border() const { return border; }
    void Present(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void SendMouse(Message message, QMouseEvent* event);

    WindowHandle handle;
    int border;
    QImage shown;
    bool doubleClicked = false; // the left button is down for a double click's second press
};

// The top-level frame of the main window: its menu bar and caption around the client
// widget; a close request becomes the window's Close message.
class MainFrame : public QMainWindow {
public:
    explicit MainFrame(WindowHandle handle) : handle(handle) {}
    void Detach() { handle = 0; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WindowHandle handle;
};

} // namespace platform
