// Converts the designer's window icon to the PNG that desktop environments show:
// velmora-make-icon MAIN_ICON.bmp velmora.png

#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-make-icon ICON.bmp OUT.png\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]), "BMP");
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "velmora-make-icon: cannot convert %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
