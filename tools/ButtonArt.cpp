#include "ButtonArt.h"

#include "ButtonIcons.h"

#include <QFontMetrics>
#include <QPainter>

namespace ButtonArt {

namespace {

// Frame 0 is the normal face.
enum Level { Selected = 1, Highlighted = 2 };

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Light(224, 224, 224);
const QColor Shadow(128, 128, 128);
const QColor Face(192, 192, 192); // the panel's own light grey
const QColor SelectedFace(168, 192, 232);
const QColor HighlightedFace(232, 236, 244);
const QColor Accent(0, 80, 184);
const QColor SelectedText(0, 0, 128);

// A 1-pixel frame edge: the top and left sides in one colour, bottom and right in another.
void DrawEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    p.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    p.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

// The two-pixel bevel of a raised button; pressed in, its light and dark sides swap.
void DrawBevel(QPainter& p, const QRect& r, bool sunken) {
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (sunken) {
        DrawEdge(p, r, Black, White);
        DrawEdge(p, inner, Shadow, Light);
    } else {
        DrawEdge(p, r, White, Black);
        DrawEdge(p, inner, Light, Shadow);
    }
}

QColor FaceOf(int level) {
    switch (level) {
    case Selected:
        return SelectedFace;
    case Highlighted:
        return HighlightedFace;
    default:
        return Face;
    }
}

// The icon sits at the left, the label after it, both centred vertically. Narrow
// buttons get the small form of the icon so that two characters still fit.
void DrawContent(QPainter& p, const Button& button, const QFont& font, int level) {
    const bool iconOnly = button.label[0] == '\0';
    const bool narrow = button.width < 60;
    const QRect iconBox = iconOnly ? QRect(2, 2, 18, 18)
                          : narrow ? QRect(3, 5, 12, 12)
                                   : QRect(3, 2, 21, 18);
    DrawIcon(p, button.icon, iconBox);
    if (iconOnly) {
        return;
    }
    const QFontMetrics metrics(font);
    const int baseline = (ButtonHeight - metrics.height()) / 2 + metrics.ascent();
    p.setFont(font);
    p.setPen(level == Selected ? SelectedText : Black);
    p.drawText(iconBox.right() + (narrow ? 2 : 4), baseline, QString::fromUtf8(button.label));
}

void DrawFrame(QPainter& p, const Button& button, const QFont& font, int level) {
    const QRect r(0, 0, button.width, ButtonHeight);
    p.fillRect(r, FaceOf(level));
    DrawBevel(p, r, level == Selected);
    if (level == Highlighted) {
        p.setPen(Accent);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
    // A pressed button's face moves one pixel down and right, as if pushed in.
    const int shift = level == Selected ? 1 : 0;
    p.save();
    p.setClipRect(r.adjusted(2, 2, -2, -2));
    p.translate(shift, shift);
    DrawContent(p, button, font, level);
    p.restore();
}

} // namespace

QImage MakeStrip(const Button& button, const QFont& font) {
    QImage strip(button.width * button.frames, ButtonHeight, QImage::Format_RGB32);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (int level = 0; level < button.frames; ++level) {
        p.save();
        p.translate(level * button.width, 0);
        DrawFrame(p, button, font, level);
        p.restore();
    }
    return strip;
}

} // namespace ButtonArt
