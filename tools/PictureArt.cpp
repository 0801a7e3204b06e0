#include "PictureArt.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace PictureArt {

namespace {

constexpr int MarkerSize = 24;
const QColor Outline(0, 0, 0);

// A small fixed-seed generator (xorshift32), so that the noise is the same on every run
// and every machine.
class Noise {
public:
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // A whole number in [0, range).
    int Below(int range) { return static_cast<int>(Next() % static_cast<uint32_t>(range)); }

private:
    uint32_t state = 0x5eed1234u;
};

QImage TransparentArt() {
    QImage art(MarkerSize, MarkerSize, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    return art;
}

// Rings everything drawn so far with a 1-pixel outline, so that a marker stands out on
// any ground.
void AddOutline(QImage& art) {
    const QImage drawn = art.copy();
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            if (qAlpha(drawn.pixel(x, y)) != 0) {
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (drawn.valid(x + dx, y + dy) && qAlpha(drawn.pixel(x + dx, y + dy)) != 0) {
                        art.setPixel(x, y, Outline.rgba());
                    }
                }
            }
        }
    }
}

// Mask left, picture right. Both halves come from the same drawn pixels, so outside the
// mask the picture is always pure white and the view shows through unchanged.
QImage MakeMarker(const QImage& art) {
    QImage marker(MarkerSize * 2, MarkerSize, QImage::Format_RGB32);
    for (int y = 0; y < MarkerSize; ++y) {
        for (int x = 0; x < MarkerSize; ++x) {
            const QRgb pixel = art.pixel(x, y);
            const bool shown = qAlpha(pixel) != 0;
            marker.setPixel(x, y, shown ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            marker.setPixel(MarkerSize + x, y, shown ? (pixel | 0xff000000u) : qRgb(255, 255, 255));
        }
    }
    return marker;
}

QPainter& Crisp(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    return p;
}

} // namespace

// A red pointer whose tip touches the selected point. The views stamp markers with their
// top-left corner on the point, so the picture points into that corner.
QImage MakeSelectMarker() {
    QImage art = TransparentArt();
    {
        QPainter p(&art);
        Crisp(p);
        p.setBrush(QColor(232, 0, 0));
        p.drawPolygon(QPolygon({QPoint(1, 1), QPoint(1, 16), QPoint(5, 12), QPoint(8, 19),
                                QPoint(11, 18), QPoint(8, 11), QPoint(13, 11)}));
    }
    AddOutline(art);
    return MakeMarker(art);
}

// A white-gloved hand whose index finger points at the gripped handle end, at the corner.
QImage MakeHandMarker() {
    QImage art = TransparentArt();
    const QColor glove(255, 255, 255);
    const QColor cuff(120, 168, 232);
    {
        QPainter p(&art);
        Crisp(p);
        p.fillRect(1, 1, 3, 13, glove);  // index finger
        p.fillRect(5, 6, 3, 8, glove);   // middle
        p.fillRect(9, 7, 3, 7, glove);   // ring
        p.fillRect(13, 9, 3, 5, glove);  // little
        p.fillRect(1, 12, 15, 7, glove); // palm
        p.fillRect(16, 12, 2, 4, glove); // thumb
        p.fillRect(18, 10, 2, 4, glove);
        p.fillRect(2, 19, 13, 3, cuff);
        p.fillRect(2, 0, 1, 1, glove); // rounded finger tips
        p.fillRect(6, 5, 1, 1, glove);
        p.fillRect(10, 6, 1, 1, glove);
        p.fillRect(14, 8, 1, 1, glove);
    }
    AddOutline(art);
    {
        QPainter p(&art);
        Crisp(p);
        // The gaps between the fingers, drawn after the outline so they stay inside.
        p.fillRect(4, 6, 1, 8, Outline);
        p.fillRect(8, 7, 1, 7, Outline);
        p.fillRect(12, 9, 1, 5, Outline);
        p.fillRect(2, 18, 13, 1, Outline);
    }
    return MakeMarker(art);
}

// A film camera standing with its foot on the bottom-left corner, the camera's place.
QImage MakeCameraMarker() {
    QImage art = TransparentArt();
    const QColor body(48, 80, 176);
    const QColor reel(40, 40, 48);
    {
        QPainter p(&art);
        Crisp(p);
        p.setBrush(reel);
        p.drawEllipse(QRect(3, 1, 7, 7));
        p.drawEllipse(QRect(10, 1, 7, 7));
        p.fillRect(3, 9, 14, 8, body);
        p.setBrush(QColor(96, 96, 104));
        p.drawPolygon(QPolygon({QPoint(17, 11), QPoint(22, 8), QPoint(22, 17), QPoint(17, 14)}));
        p.fillRect(0, 17, 4, 2, QColor(255, 208, 0)); // foot, down to the corner
        p.fillRect(0, 19, 2, 5, QColor(255, 208, 0));
    }
    AddOutline(art);
    {
        QPainter p(&art);
        Crisp(p);
        p.fillRect(6, 4, 1, 1, QColor(200, 200, 200)); // reel hubs
        p.fillRect(13, 4, 1, 1, QColor(200, 200, 200));
        p.fillRect(5, 11, 2, 2, QColor(255, 48, 48)); // recording light
        p.fillRect(4, 10, 12, 1, QColor(112, 144, 232));
    }
    return MakeMarker(art);
}

QImage MakeMainIcon() {
    constexpr int Size = 48;
    QImage icon(Size, Size, QImage::Format_RGB32);
    icon.fill(QColor(60, 140, 60));
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Mown stripes in the grass.
    for (int i = -Size; i < Size; i += 12) {
        p.fillRect(QRectF(i, 0, 6, Size), QColor(72, 156, 68));
    }
    QPainterPath road;
    road.moveTo(10, 52);
    road.cubicTo(8, 30, 40, 38, 38, 20);
    road.cubicTo(37, 8, 20, 6, 14, -4);
    const auto stroke = [&](const QColor& colour, qreal width, Qt::PenStyle style) {
        QPen pen(colour, width, style, Qt::FlatCap, Qt::RoundJoin);
        p.strokePath(road, pen);
    };
    stroke(QColor(232, 48, 40), 17.0, Qt::SolidLine); // kerbs, red and white
    QPen kerb(QColor(250, 250, 250), 17.0, Qt::CustomDashLine, Qt::FlatCap);
    kerb.setDashPattern({0.15, 0.15}); // in pen widths: 2.5-pixel blocks
    p.strokePath(road, kerb);
    stroke(QColor(250, 250, 250), 14.0, Qt::SolidLine); // edge lines
    stroke(QColor(72, 72, 80), 11.0, Qt::SolidLine);    // asphalt
    QPen centre(QColor(255, 220, 64), 1.5, Qt::CustomDashLine, Qt::FlatCap);
    centre.setDashPattern({3.0, 3.0});
    p.strokePath(road, centre);
    return icon;
}

// Dark asphalt with grain, a white edge line along each side and a dashed centre line,
// symmetric across the road. The grain is per pixel, so the picture tiles without seams.
// Grain steps are 8 levels apart so that they survive the views' 5-bit colour channels.
QImage MakeRoadTexture() {
    constexpr int Size = 256;
    QImage texture(Size, Size, QImage::Format_RGB32);
    Noise noise;
    for (int v = 0; v < Size; ++v) {
        for (int u = 0; u < Size; ++u) {
            const int across = std::min(u, Size - 1 - u); // distance from the nearer edge
            const bool edgeLine = across >= 10 && across < 18;
            const bool centreLine = across >= 124 && v < Size / 2;
            const int grain = noise.Below(16);
            int level = 0;
            if (edgeLine || centreLine) {
                level = 232 + (grain < 3 ? -24 : 0); // paint, slightly worn
            } else if (across < 10) {
                level = 96 + (grain < 5 ? 8 : 0) - (grain > 13 ? 8 : 0); // shoulder
            } else {
                level = 72 + (grain < 4 ? 8 : 0) - (grain > 12 ? 8 : 0) + (grain == 0 ? 16 : 0);
            }
            texture.setPixel(u, v, qRgb(level, level, level + 4));
        }
    }
    return texture;
}

// Two decaying tones with a soft onset and a fade to silence: a quiet tick, not a pop.
std::vector<int16_t> MakeClickSound() {
    constexpr double Seconds = 0.040;
    constexpr double Amplitude = 0.35 * 32767.0;
    const auto count = static_cast<int>(Seconds * ClickSampleRate);
    const int attack = 22;  // 1 ms
    const int release = 88; // 4 ms
    std::vector<int16_t> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / ClickSampleRate;
        const double high = 0.6 * std::exp(-t / 0.004) * std::sin(2 * std::numbers::pi * 1800 * t);
        const double low = 0.4 * std::exp(-t / 0.009) * std::sin(2 * std::numbers::pi * 700 * t);
        double envelope = 1.0;
        if (i < attack) {
            envelope = static_cast<double>(i) / attack;
        } else if (i >= count - release) {
            envelope = static_cast<double>(count - 1 - i) / release;
        }
        samples[static_cast<size_t>(i)] =
            static_cast<int16_t>(std::lround(Amplitude * envelope * (high + low)));
    }
    return samples;
}

} // namespace PictureArt
