#pragma once
// Media types handed out by DirectShow calls: freeing their format block,
// reading the picture of an uncompressed RGB video type, telling PCM audio.
#include <cstdint>
#include <optional>

#include "app/media/directshow_ids.h"
#include "app/media/rgb_picture.h"

namespace qucap {

// Frees the format block and releases the object of a media type; the
// structure itself stays the caller's.
void freeMediaType(AM_MEDIA_TYPE& type);

// A media type filled in by a call (GetConnectedMediaType, ConnectionMediaType),
// freed at the end of the scope.
class ReceivedMediaType {
public:
    ReceivedMediaType() = default;
    ~ReceivedMediaType() { freeMediaType(type_); }
    ReceivedMediaType(const ReceivedMediaType&) = delete;
    ReceivedMediaType& operator=(const ReceivedMediaType&) = delete;

    AM_MEDIA_TYPE* put() {
        freeMediaType(type_);
        type_ = AM_MEDIA_TYPE{};
        return &type_;
    }
    const AM_MEDIA_TYPE& get() const { return type_; }

private:
    AM_MEDIA_TYPE type_{};
};

// The picture part of a video type described by a VIDEOINFOHEADER or VIDEOINFOHEADER2.
struct VideoFormat {
    GUID subtype{};
    int64_t averageTimePerFrame = 0;  // 100-ns units; 0 when the type does not say
    int32_t width = 0;
    int32_t height = 0;  // signed as biHeight
    int32_t bitsPerPixel = 0;
};
std::optional<VideoFormat> videoFormatOf(const AM_MEDIA_TYPE& type);

// Uncompressed PCM audio described by a whole WAVEFORMATEX.
bool isPcmAudio(const AM_MEDIA_TYPE& type);

// Width, signed height and depth of an RGB24 or RGB32 video type described
// by a VIDEOINFOHEADER or VIDEOINFOHEADER2 (no pixels); nothing for any other type.
std::optional<RgbPicture> rgbPictureOf(const AM_MEDIA_TYPE& type);

}  // namespace qucap
