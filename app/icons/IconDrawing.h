#pragma once

// The button pictures are drawn as SVG files and shipped as PNG pictures at
// one and two times their size (QtSvg is not part of every Qt the program is
// built with). This is the one way they are drawn: by the tool that writes
// the PNG pictures and by the test that holds the pictures to their drawings.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace tinsora::icons {

/// The SVG file drawn into a transparent square of the given side in pixels;
/// a null image when the file cannot be read.
inline QImage DrawSvg(const QString& svgFile, int pixels) {
    QSvgRenderer renderer(svgFile);
    if (!renderer.isValid())
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace tinsora::icons
