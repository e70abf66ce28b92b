// Writes the pictures the program ships from their SVG drawings in the
// folder given: NAME.png and NAME@2x.png (16 and 32 pixels) for every button
// picture, and tinsora.ico, the program's icon on Windows, from tinsora.svg.
//
// usage: tinsora_render_icons FOLDER   (the build target "icons" runs it on app/icons)

#include "IconDrawing.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QtEndian>
#include <cstdio>

namespace {

bool WritePng(const QImage& image, const QString& file) {
    if (image.isNull() || !image.save(file, "PNG")) {
        std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

void AppendLittleEndian16(QByteArray& bytes, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendLittleEndian32(QByteArray& bytes, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// An icon file whose pictures are PNG images, as Windows reads them since Vista.
bool WriteIco(const QString& svg, const QList<int>& sides, const QString& file) {
    QList<QByteArray> pngs;
    for (const int side : sides) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QImage image = tinsora::icons::DrawSvg(svg, side);
        if (image.isNull() || !image.save(&buffer, "PNG")) {
            std::fprintf(stderr, "render-icons: cannot draw %s\n", qPrintable(svg));
            return false;
        }
        pngs.append(png);
    }
    QByteArray ico;
    AppendLittleEndian16(ico, 0); // reserved
    AppendLittleEndian16(ico, 1); // an icon, not a cursor
    AppendLittleEndian16(ico, static_cast<quint16>(sides.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(sides.size());
    for (qsizetype k = 0; k < sides.size(); ++k) {
        const char side = static_cast<char>(sides[k] >= 256 ? 0 : sides[k]); // 0 means 256
        ico.append(side).append(side).append('\0').append('\0');
        AppendLittleEndian16(ico, 1);  // colour planes
        AppendLittleEndian16(ico, 32); // bits per pixel
        AppendLittleEndian32(ico, static_cast<quint32>(pngs[k].size()));
        AppendLittleEndian32(ico, offset);
        offset += static_cast<quint32>(pngs[k].size());
    }
    for (const QByteArray& png : pngs)
        ico.append(png);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(ico) != ico.size()) {
        std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tinsora_render_icons FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const QString& name : folder.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        const QString svg = folder.filePath(name);
        const QString base = folder.filePath(QFileInfo(name).completeBaseName());
        if (name == QStringLiteral("tinsora.svg")) {
            ok = WriteIco(svg, {16, 20, 24, 32, 40, 48, 64, 256}, base + QStringLiteral(".ico")) &&
                 ok;
            continue;
        }
        ok = WritePng(tinsora::icons::DrawSvg(svg, 16), base + QStringLiteral(".png")) && ok;
        ok = WritePng(tinsora::icons::DrawSvg(svg, 32), base + QStringLiteral("@2x.png")) && ok;
    }
    return ok ? 0 : 1;
}
