#include "platform/Text.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace platform {

struct FontImpl {
    QFont font;
};

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Font::Font(int pixelHeight, const char* face) : impl(std::make_unique<FontImpl>()) {
    impl->font = QFont(QString::fromUtf8(face));
    impl->font.setPixelSize(pixelHeight);
    impl->font.setWeight(QFont::Normal);
    impl->font.setStyleStrategy(QFont::NoAntialias);
}

Font::~Font() = default;

int Font::Height() const {
    return QFontMetrics(impl->font).height();
}

int Font::ExternalLeading() const {
    return std::max(QFontMetrics(impl->font).leading(), 0);
}

int Font::TextWidth(std::string_view text) const {
    return QFontMetrics(impl->font).horizontalAdvance(ToQString(text));
}

// Qt draws the glyphs into a transparent image; their pixels are then set in the surface.
void Font::DrawText(DrawContext& context, int x, int y, std::string_view text,
                    Colour15 colour) const {
    Surface* surface = context.GetSurface();
    const int width = TextWidth(text);
    const int height = Height();
    if (surface == nullptr || width <= 0 || height <= 0) {
        return;
    }
    QImage glyphs(width, height, QImage::Format_ARGB32);
    glyphs.fill(Qt::transparent);
    {
        QPainter painter(&glyphs);
        painter.setFont(impl->font);
        painter.setPen(Qt::black);
        painter.drawText(0, QFontMetrics(impl->font).ascent(), ToQString(text));
    }
    for (int row = 0; row < height; ++row) {
        const int targetY = y + row;
        if (targetY < 0 || targetY >= surface->Height()) {
            continue;
        }
        const auto* line = reinterpret_cast<const QRgb*>(glyphs.constScanLine(row));
        for (int column = 0; column < width; ++column) {
            const int targetX = x + column;
            if (qAlpha(line[column]) != 0 && targetX >= 0 && targetX < surface->Width()) {
                surface->SetPixel(targetX, targetY, colour);
            }
        }
    }
}

} // namespace platform
