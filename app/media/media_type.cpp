#include "app/media/media_type.h"

#include <dvdmedia.h>

namespace qucap {

void freeMediaType(AM_MEDIA_TYPE& type) {
    if (type.cbFormat != 0 && type.pbFormat != nullptr) CoTaskMemFree(type.pbFormat);
    type.cbFormat = 0;
    type.pbFormat = nullptr;
    if (type.pUnk != nullptr) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

namespace {

struct RgbSubtype {
    const GUID* subtype;
    int32_t bitsPerPixel;
};

const RgbSubtype kRgbSubtypes[] = {{&MEDIASUBTYPE_RGB24, 24}, {&MEDIASUBTYPE_RGB32, 32}};

}  // namespace

std::optional<VideoFormat> videoFormatOf(const AM_MEDIA_TYPE& type) {
    if (type.majortype != MEDIATYPE_Video || type.pbFormat == nullptr) return std::nullopt;
    const BITMAPINFOHEADER* header = nullptr;
    VideoFormat format;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        header = &info->bmiHeader;
        format.averageTimePerFrame = info->AvgTimePerFrame;
    } else if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        header = &info->bmiHeader;
        format.averageTimePerFrame = info->AvgTimePerFrame;
    } else {
        return std::nullopt;
    }
    format.subtype = type.subtype;
    format.width = header->biWidth;
    format.height = header->biHeight;
    format.bitsPerPixel = header->biBitCount;
    return format;
}

std::optional<RgbPicture> rgbPictureOf(const AM_MEDIA_TYPE& type) {
    const std::optional<VideoFormat> format = videoFormatOf(type);
    if (!format) return std::nullopt;
    for (const RgbSubtype& rgb : kRgbSubtypes) {
        if (format->subtype != *rgb.subtype || format->bitsPerPixel != rgb.bitsPerPixel) continue;
        if (rgbRowBytes(format->width, format->bitsPerPixel) == 0 || format->height == 0) return std::nullopt;
        return RgbPicture{format->width, format->height, format->bitsPerPixel, {}};
    }
    return std::nullopt;
}

bool isPcmAudio(const AM_MEDIA_TYPE& type) {
    return type.majortype == MEDIATYPE_Audio && type.formattype == FORMAT_WaveFormatEx &&
           type.cbFormat >= sizeof(WAVEFORMATEX) && type.pbFormat != nullptr &&
           reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat)->wFormatTag == WAVE_FORMAT_PCM;
}

}  // namespace qucap
