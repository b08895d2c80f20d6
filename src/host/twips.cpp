#include <Vantrel3/Twips.h>

#include <QPaintDevice>
#include <cmath>

namespace Vantrel3::Twips {

namespace {

constexpr int kTwipsPerInch = 1440;

int dpiX(const QPaintDevice *device) {
    const int dpi = device ? device->logicalDpiX() : 96;
    return dpi > 0 ? dpi : 96;
}

int dpiY(const QPaintDevice *device) {
    const int dpi = device ? device->logicalDpiY() : 96;
    return dpi > 0 ? dpi : 96;
}

qint32 toTwips(int pixels, int dpi) {
    return qint32(std::lround(double(pixels) * kTwipsPerInch / dpi));
}

int toPixels(qint32 twips, int dpi) {
    return int(std::lround(double(twips) * dpi / kTwipsPerInch));
}

} // namespace

qint32 fromPixelsX(const QPaintDevice *device, int pixels) {
    return toTwips(pixels, dpiX(device));
}
qint32 fromPixelsY(const QPaintDevice *device, int pixels) {
    return toTwips(pixels, dpiY(device));
}
int toPixelsX(const QPaintDevice *device, qint32 twips) {
    return toPixels(twips, dpiX(device));
}
int toPixelsY(const QPaintDevice *device, qint32 twips) {
    return toPixels(twips, dpiY(device));
}
double perPixelX(const QPaintDevice *device) {
    return double(kTwipsPerInch) / dpiX(device);
}
double perPixelY(const QPaintDevice *device) {
    return double(kTwipsPerInch) / dpiY(device);
}

} // namespace Vantrel3::Twips
