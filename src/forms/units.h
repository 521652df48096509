// The classic units the window designs are written in: twips for geometry, points for fonts and
// 0x00BBGGRR values for colours. Everything is converted once, here, at 100 % scale; Qt's device-pixel
// ratio does any HiDPI scaling on top.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace forms {

constexpr int TwipsPerPixel = 15;
constexpr double PixelsPerPoint = 96.0 / 72.0;

// Rounds to the nearest pixel (half away from zero).
constexpr int px(int twips) {
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr QPoint pointTw(int left, int top) {
    return {px(left), px(top)};
}
constexpr QSize sizeTw(int width, int height) {
    return {px(width), px(height)};
}
constexpr QRect rectTw(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}
constexpr QRect rectTw(QRect twips) {
    return rectTw(twips.x(), twips.y(), twips.width(), twips.height());
}

// Font sizes become pixel sizes at 96 dpi, so a layout looks the same under any DPI setting.
constexpr int fontPixels(double points) {
    return int(points * PixelsPerPoint + 0.5);
}

// A colour written 0x00BBGGRR.
inline QColor bgr(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace forms
