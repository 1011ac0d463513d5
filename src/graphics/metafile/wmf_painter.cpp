#include "wmf_painter.h"

#include "wmf_library.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "wmf_painter_shapes.h"
#include "wmf_painter_text.h"

namespace plexion {
namespace {

// Lives in memory libwmf owns and frees with the player.
struct SDeviceSlot {
    SWmfDevice* device = nullptr;
};

// Playback starts and ends painting; opening and closing the device has
// nothing to add, as the canvas belongs to the caller.
void DeviceOpen(wmfAPI*) {}
void DeviceClose(wmfAPI*) {}

void DeviceBegin(wmfAPI* api) {
    if (CWmfCanvas* canvas = WmfCanvasOf(api)) {
        canvas->Begin();
    }
}

void DeviceEnd(wmfAPI* api) {
    if (CWmfCanvas* canvas = WmfCanvasOf(api)) {
        canvas->End();
    }
}

// Every drawing call carries the full device context, so no state is kept
// per context.
void UserDataIgnored(wmfAPI*, wmfUserData_t*) {}

// Fonts are chosen by Qt when text is drawn; nothing is prepared when the
// metafile creates one.
void MapFont(wmfAPI*, wmfFont*) {}

float TextWidth(wmfAPI*, wmfFont* font, char* text) {
    return font != nullptr ? static_cast<float>(WmfTextWidthPerUnit(*font, text)) : 0.0f;
}

void DrawText(wmfAPI* api, wmfDrawText_t* text) {
    if (CWmfCanvas* canvas = WmfCanvasOf(api)) {
        DrawWmfText(*canvas, *text);
    }
}

void ReadBitmap(wmfAPI* api, wmfBMP_Read_t* read) {
    read->bmp.data = nullptr;
    SWmfDevice* device = WmfDeviceOf(api);
    if (device == nullptr || read->buffer == nullptr || read->length <= 0) {
        return;
    }
    std::optional<SWmfBitmap> decoded =
        DecodeDib({read->buffer, static_cast<std::size_t>(read->length)});
    if (!decoded) {
        return;
    }
    device->bitmaps.push_back(std::make_unique<SWmfBitmap>(std::move(*decoded)));
    SWmfBitmap* bitmap = device->bitmaps.back().get();
    read->bmp.width = static_cast<unsigned short>(bitmap->image.width());
    read->bmp.height = static_cast<unsigned short>(bitmap->image.height());
    read->bmp.data = bitmap;
}

void FreeBitmap(wmfAPI* api, wmfBMP* bmp) {
    SWmfDevice* device = WmfDeviceOf(api);
    if (device != nullptr && bmp->data != nullptr) {
        std::erase_if(device->bitmaps, [&](const std::unique_ptr<SWmfBitmap>& bitmap) {
            return bitmap.get() == bmp->data;
        });
    }
    bmp->data = nullptr;
}

QRegion RegionOf(const CWmfCanvas& canvas, const wmfPolyRectangle_t& rectangles) {
    QRegion region;
    if (rectangles.TL == nullptr || rectangles.BR == nullptr) {
        return region;
    }
    for (unsigned int i = 0; i < rectangles.count; ++i) {
        region += ToPixelRect(canvas.MapRect(rectangles.TL[i], rectangles.BR[i]));
    }
    return region;
}

void PaintRegion(wmfAPI* api, wmfPolyRectangle_t* rectangles) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas != nullptr && rectangles->dc != nullptr) {
        canvas->FillRegion(*rectangles->dc, RegionOf(*canvas, *rectangles), SWmfMix{});
    }
}

// A frame is the part of the region within the border's width and height
// of its edge: the region less what remains when it is shrunk by them.
void FrameRegion(wmfAPI* api, wmfPolyRectangle_t* rectangles) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || rectangles->dc == nullptr) {
        return;
    }
    const QRegion region = RegionOf(*canvas, *rectangles);
    const double limit = std::max(canvas->Image().width(), canvas->Image().height());
    const auto border = [limit](double units, double scale) {
        const double pixels = std::abs(units * scale);
        return static_cast<int>(std::isfinite(pixels) ? std::clamp(pixels, 1.0, limit) : 1.0);
    };
    const int across = border(rectangles->width, canvas->PixelsPerUnitX());
    const int down = border(rectangles->height, canvas->PixelsPerUnitY());
    QRegion inner = region;
    for (int dx : {-across, 0, across}) {
        for (int dy : {-down, 0, down}) {
            inner &= region.translated(dx, dy);
        }
    }
    canvas->FillRegion(*rectangles->dc, region - inner, SWmfMix{});
}

// No rectangles lift the clip.
void ClipRegion(wmfAPI* api, wmfPolyRectangle_t* rectangles) {
    if (CWmfCanvas* canvas = WmfCanvasOf(api)) {
        canvas->SetClip(rectangles->count == 0 ? std::nullopt
                                               : std::optional(RegionOf(*canvas, *rectangles)));
    }
}

}  // namespace

void InstallWmfPainter(wmfAPI* api) {
    void* functionsMemory = wmf_malloc(api, sizeof(wmfFunctionReference));
    void* fontsMemory = wmf_malloc(api, sizeof(wmfFontData));
    void* slotMemory = wmf_malloc(api, sizeof(SDeviceSlot));
    if (functionsMemory == nullptr || fontsMemory == nullptr || slotMemory == nullptr) {
        api->err = wmf_E_InsMem;
        return;
    }
    auto* functions = new (functionsMemory) wmfFunctionReference{};
    functions->device_open = DeviceOpen;
    functions->device_close = DeviceClose;
    functions->device_begin = DeviceBegin;
    functions->device_end = DeviceEnd;
    AddWmfShapeCallbacks(*functions);
    functions->bmp_read = ReadBitmap;
    functions->bmp_free = FreeBitmap;
    functions->draw_text = DrawText;
    functions->udata_init = UserDataIgnored;
    functions->udata_copy = UserDataIgnored;
    functions->udata_set = UserDataIgnored;
    functions->udata_free = UserDataIgnored;
    functions->region_frame = FrameRegion;
    functions->region_paint = PaintRegion;
    functions->region_clip = ClipRegion;
    api->function_reference = functions;
    api->font_data = new (fontsMemory) wmfFontData{MapFont, TextWidth, nullptr};
    api->device_data = new (slotMemory) SDeviceSlot{};
}

void AttachWmfDevice(wmfAPI* api, SWmfDevice* device) {
    static_cast<SDeviceSlot*>(api->device_data)->device = device;
}

SWmfDevice* WmfDeviceOf(wmfAPI* api) {
    return api->device_data != nullptr ? static_cast<SDeviceSlot*>(api->device_data)->device
                                       : nullptr;
}

CWmfCanvas* WmfCanvasOf(wmfAPI* api) {
    SWmfDevice* device = WmfDeviceOf(api);
    return device != nullptr && device->canvas ? &*device->canvas : nullptr;
}

}  // namespace plexion
