#pragma once

#include "wmf_library.h"

#include <memory>
#include <optional>
#include <vector>

#include "wmf_painter_bitmap.h"
#include "wmf_painter_canvas.h"

namespace plexion {

// What one playback draws onto, and the bitmaps the player had decoded for
// it. The canvas exists once the picture's size is known.
struct SWmfDevice {
    std::optional<CWmfCanvas> canvas;
    std::vector<std::unique_ptr<SWmfBitmap>> bitmaps;
};

// The device layer function given to libwmf when a player is created: it
// installs the callbacks that paint with Qt and Qt's text measuring, so
// libwmf's own font engine is never needed.
void InstallWmfPainter(wmfAPI* api);

// Points the player's device layer at the device it draws onto.
void AttachWmfDevice(wmfAPI* api, SWmfDevice* device);

// The device a callback draws onto, or null.
SWmfDevice* WmfDeviceOf(wmfAPI* api);
CWmfCanvas* WmfCanvasOf(wmfAPI* api);

}  // namespace plexion
