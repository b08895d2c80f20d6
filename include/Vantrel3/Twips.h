#pragma once

#include <Vantrel3/Export.h>

#include <QtGlobal>

class QPaintDevice;

namespace Vantrel3 {

/// Positions and sizes of the public surface are in twips (1/1440 inch). They are converted
/// to pixels only at the widget boundary, with the device's logical dpi (96 dpi when null).
namespace Twips {

/// A horizontal distance of @p pixels on @p device, in twips.
VANTREL3_EXPORT qint32 fromPixelsX(const QPaintDevice *device, int pixels);
/// A vertical distance of @p pixels on @p device, in twips.
VANTREL3_EXPORT qint32 fromPixelsY(const QPaintDevice *device, int pixels);
/// A horizontal distance of @p twips, in pixels of @p device (rounded to the nearest).
VANTREL3_EXPORT int toPixelsX(const QPaintDevice *device, qint32 twips);
/// A vertical distance of @p twips, in pixels of @p device (rounded to the nearest).
VANTREL3_EXPORT int toPixelsY(const QPaintDevice *device, qint32 twips);

/// Twips per pixel across, at the device's logical dpi (15 at 96 dpi).
VANTREL3_EXPORT double perPixelX(const QPaintDevice *device);
/// Twips per pixel down, at the device's logical dpi (15 at 96 dpi).
VANTREL3_EXPORT double perPixelY(const QPaintDevice *device);

} // namespace Twips
} // namespace Vantrel3
