// Build-time tool: packs XPM pixel art into a Windows icon file with palette images and a
// transparency mask, so the pictures keep the colour depths they were drawn for.
//
// usage: xpm2ico OUT.ico BITS:IN.xpm [BITS:IN.xpm ...]   (BITS is 1 or 4)
//        xpm2ico OUT.png IN.xpm                          (one image, for icon themes)
#include <QByteArray>
#include <QByteArrayList>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <cstdio>

namespace {

// The standard 16-colour palette; the 2-colour images use its first and last entries.
constexpr std::array<QRgb, 16> vga16{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray &out, int v)
{
    put16(out, v & 0xffff);
    put16(out, (v >> 16) & 0xffff);
}

int rowBytes(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// One icon image: BITMAPINFOHEADER, palette, colour bits and AND mask, rows bottom-up.
bool encode(const QImage &image, int bits, QByteArray &out, QString &error)
{
    QList<QRgb> palette;
    if (bits == 1)
        palette = {vga16.front(), vga16.back()};
    else
        palette = QList<QRgb>(vga16.begin(), vga16.end());

    const int w = image.width();
    const int h = image.height();
    put32(out, 40);
    put32(out, w);
    put32(out, h * 2); // colour bits and mask together
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, (rowBytes(w, bits) + rowBytes(w, 1)) * h);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }

    QByteArray colour;
    QByteArray mask;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray crow(rowBytes(w, bits), '\0');
        QByteArray mrow(rowBytes(w, 1), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb px = image.pixel(x, y);
            int index = 0;
            if (qAlpha(px) < 128) {
                mrow[x / 8] = char(mrow[x / 8] | (0x80 >> (x % 8)));
            } else {
                index = int(palette.indexOf(px & 0xffffff));
                if (index < 0) {
                    error = QStringLiteral("colour %1 at %2,%3 is not in the %4-bit palette")
                                .arg(QColor(px).name())
                                .arg(x)
                                .arg(y)
                                .arg(bits);
                    return false;
                }
            }
            if (bits == 4)
                crow[x / 2] = char(crow[x / 2] | (x % 2 ? index : index << 4));
            else if (index)
                crow[x / 8] = char(crow[x / 8] | (0x80 >> (x % 8)));
        }
        colour += crow;
        mask += mrow;
    }
    out += colour;
    out += mask;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: xpm2ico OUT.ico BITS:IN.xpm [BITS:IN.xpm ...]\n");
        return 2;
    }
    if (QByteArray(argv[1]).endsWith(".png")) {
        const QImage image(QString::fromLocal8Bit(argv[2]), "XPM");
        return !image.isNull() && image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
    }

    QByteArrayList images;
    QList<int> depths;
    QList<QSize> sizes;
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const int bits = arg.section(u':', 0, 0).toInt();
        const QString path = arg.section(u':', 1);
        const QImage image(path, "XPM");
        if ((bits != 1 && bits != 4) || image.isNull() || image.width() > 255 ||
            image.height() > 255) {
            std::fprintf(stderr, "xpm2ico: cannot use %s\n", argv[i]);
            return 1;
        }
        QByteArray data;
        QString error;
        if (!encode(image.convertToFormat(QImage::Format_ARGB32), bits, data, error)) {
            std::fprintf(stderr, "xpm2ico: %s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
        images << data;
        depths << bits;
        sizes << image.size();
    }

    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, int(images.size()));
    int offset = 6 + 16 * int(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(char(sizes[i].width()));
        out.append(char(sizes[i].height()));
        out.append(char(depths[i] == 1 ? 2 : 16));
        out.append('\0');
        put16(out, 1);
        put16(out, depths[i]);
        put32(out, int(images[i].size()));
        put32(out, offset);
        offset += int(images[i].size());
    }
    out += images.join();

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "xpm2ico: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
