#include "app/ViewMessages.h"

#include "app/EditHistory.h"

namespace {

template <class... Args> void Run(void (*handler)(Args...), Args... args) {
    if (handler != nullptr) {
        handler(args...);
    }
}

// A gesture ends when the last button comes up: whatever it did to the course is one
// step of the history, however many moves it had.
void EndRelease(MouseProtocol& mouse) {
    mouse.FinishRelease();
    if (mouse.GetButtonState() == MouseProtocol::NoButton) {
        EditHistory::Commit();
    }
}

} // namespace

std::intptr_t DispatchViewMessage(const ViewMessageTable& table, MouseProtocol& mouse,
                                  platform::WindowHandle window, platform::Message message,
                                  const platform::MessageArgs& args) {
    using platform::Message;
    switch (message) {
    case Message::Create:
        Run(table.create, window);
        return 0;
    case Message::Destroy:
        Run(table.destroy, window);
        return 0;
    case Message::Size:
        Run(table.size, window, args.x, args.y);
        return 0;
    case Message::Paint:
        Run(table.paint, window);
        return 0;
    case Message::LeftDown:
        mouse.LeftDown(window, args.x, args.y);
        Run(table.leftPress, window, args.x, args.y);
        return 0;
    case Message::RightDown:
        mouse.RightDown(window, args.x, args.y);
        Run(table.rightPress, window, args.x, args.y);
        return 0;
    case Message::MouseMove:
        if (const auto drag = mouse.Move(args.x, args.y)) {
            Run<platform::WindowHandle, const MouseProtocol::Drag&>(table.drag, window, *drag);
        }
        return 0;
    case Message::LeftUp: {
        const bool dragged = mouse.LeftUp();
        Run(table.leftRelease, window, args.x, args.y, dragged);
        EndRelease(mouse);
        return 0;
    }
    case Message::RightUp:
        mouse.RightUp();
        EndRelease(mouse);
        return 0;
    case Message::LeftDoubleClick:
        Run(table.doubleClick, window, args.x, args.y);
        return 0;
    default:
        return platform::DefWindowProc(window, message, args);
    }
}
