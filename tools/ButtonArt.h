#pragma once

#include <QFont>
#include <QImage>

// The faces of the designer's bitmap buttons. A button's bitmap is a strip of equally
// wide frames side by side: frame 0 normal, 1 selected (pressed in), 2 highlighted (the
// pointer is over it).
namespace ButtonArt {

enum class Icon {
    Edit,
    Samples,
    Width,
    Loop,
    CameraMove,
    CameraZoom,
    TopView,
    SideView,
    FrontView,
    ExpandTopView,
    ExpandSideView,
    ShapeLayout,
    HeightLayout,
    WidthLayout,
    RollLayout,
    Wireframe,
    Texture,
};

struct Button {
    const char* name; // resource name, also the file's name
    int width;        // of one frame; every button is 22 pixels high
    int frames;
    Icon icon;
    const char* label; // UTF-8, empty for a button that shows only its icon
};

constexpr int ButtonHeight = 22;

QImage MakeStrip(const Button& button, const QFont& font);

} // namespace ButtonArt
