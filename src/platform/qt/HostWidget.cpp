#include "platform/qt/HostWidget.h"

#include "platform/qt/WindowRegistry.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

namespace {

unsigned KeysOf(Qt::MouseButtons buttons) {
    unsigned keys = 0;
    if (buttons & Qt::LeftButton) {
        keys |= LeftKey;
    }
    if (buttons & Qt::RightButton) {
        keys |= RightKey;
    }
    return keys;
}

// The window a mouse message belongs to: the capturing one, else the one under it.
HostWidget* MouseTarget(HostWidget* under) {
    const WindowEntry* captured = FindWindowEntry(GetCapture());
    if (captured != nullptr && captured->host != nullptr) {
        return captured->host;
    }
    return under;
}

} // namespace

HostWidget::HostWidget(WindowHandle handle, bool bordered, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), handle(handle), border(bordered ? 1 : 0) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HostWidget::Present(const QImage& image) {
    shown = image;
}

void HostWidget::paintEvent(QPaintEvent* /*event*/) {
    if (handle != 0) {
        SendMessage(handle, Message::Paint);
    }
    QPainter painter(this);
    if (border != 0) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
    if (!shown.isNull()) {
        painter.drawImage(border, border, shown);
    }
}

void HostWidget::resizeEvent(QResizeEvent* /*event*/) {
    if (handle != 0) {
        MessageArgs args;
        args.x = width() - 2 * border;
        args.y = height() - 2 * border;
        SendMessage(handle, Message::Size, args);
    }
}

void HostWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SendMouse(Message::LeftDown, event);
    } else if (event->button() == Qt::RightButton) {
        SendMouse(Message::RightDown, event);
    }
}

void HostWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SendMouse(Message::LeftUp, event);
        if (doubleClicked) {
            doubleClicked = false;
            SendMouse(Message::LeftDoubleClick, event);
        }
    } else if (event->button() == Qt::RightButton) {
        SendMouse(Message::RightUp, event);
    }
}

// The second press of a double click is a press like any other; the double click itself
// is told once it has been released.
void HostWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    doubleClicked = event->button() == Qt::LeftButton;
    mousePressEvent(event);
}

void HostWidget::mouseMoveEvent(QMouseEvent* event) {
    KeepCursorInClip();
    if (GetCapture() == 0 && handle != 0) {
        SendMessage(handle, Message::SetCursor);
    }
    SendMouse(Message::MouseMove, event);
}

// Positions are client pixels of the receiving window, negative or beyond its size when
// the pointer is outside a window that holds the mouse.
void HostWidget::SendMouse(Message message, QMouseEvent* event) {
    HostWidget* target = MouseTarget(this);
    if (target == nullptr || target->handle == 0) {
        return;
    }
    const QPoint local = target->mapFromGlobal(event->globalPosition().toPoint());
    MessageArgs args;
    args.x = local.x() - target->border;
    args.y = local.y() - target->border;
    args.keys = KeysOf(event->buttons());
    SendMessage(target->handle, message, args);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (handle != 0) {
        SendMessage(handle, Message::Close);
    }
}

} // namespace platform
