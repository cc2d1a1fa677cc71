#pragma once
// The filter's media-type decisions, on a plain description of what a pin
// is offered: which inputs it takes, which outputs go with them, the output
// type it proposes and the size of its output buffers. The Windows side
// reads AM_MEDIA_TYPE into this description and maps the answers to HRESULTs.
#include <cstdint>
#include <optional>

#include "filter/core/compose/compositor.h"

namespace qucap {

enum class OfferedFormat { VideoInfo, VideoInfo2, Other };
enum class OfferedSubtype { Rgb24, Rgb32, Yuy2, Other };

struct OfferedType {
    bool video = false;  // major type MEDIATYPE_Video
    OfferedFormat format = OfferedFormat::Other;
    OfferedSubtype subtype = OfferedSubtype::Other;
    // The format block is present and holds the whole header its format
    // type names; the picture fields below are only meaningful then.
    bool headerComplete = false;
    int32_t width = 0;   // biWidth
    int32_t height = 0;  // biHeight, signed
    int32_t bitCount = 0;
    PixelRect target;  // rcTarget
};

// S_OK, E_INVALIDARG, VFW_E_TYPE_NOT_ACCEPTED.
enum class TypeAnswer { Accepted, InvalidArgument, NotAccepted };

struct InputDecision {
    TypeAnswer answer = TypeAnswer::NotAccepted;
    std::optional<PictureKind> kind;  // recorded only when accepted
    int32_t depth = 0;                // 24 or 32 for RGB input, 0 otherwise
};

// CheckInputType: a VideoInfo or VideoInfo2 format, then video RGB24 with a
// VIDEOINFOHEADER of 24 bits, RGB32 with 32 bits, or YUY2 with a
// VIDEOINFOHEADER2 of 16 bits.
InputDecision decideInput(const OfferedType& input);

struct OutputDecision {
    TypeAnswer answer = TypeAnswer::NotAccepted;
    int32_t depth = 0;  // 24 or 32 when accepted
};

// CheckTransform without its null checks: the input must be accepted; the
// output must be video RGB24/24 or RGB32/32 in a VIDEOINFOHEADER (another
// format type: InvalidArgument), at least as wide as the input and as high.
OutputDecision decideTransform(const OfferedType& input, const OfferedType& output);

// Bytes of an RGB image as the output needs them: rows of whole 32-bit
// words, ((W x bits + 31) / 32) x 4 x |H|. 0 for a negative width.
int64_t rgbImageBytes(int32_t width, int32_t height, int32_t bits);

// Bytes a picture buffer must hold for the walk of the compositor: the row
// length ((bits / 8) x W + 3) rounded down to 4, times |H|.
int64_t pictureBytes(int32_t width, int32_t height, int32_t bits);

// The fields of the output type GetMediaType proposes; everything not named
// is 0 in the VIDEOINFOHEADER it fills.
struct ProposedOutput {
    OfferedSubtype subtype = OfferedSubtype::Rgb32;
    int32_t width = 0;
    int32_t height = 0;  // as in the input, sign included
    int32_t bitCount = 32;
    PixelRect rect;      // rcSource and rcTarget: (0, 0, W, H)
    int64_t imageBytes = 0;  // biSizeImage, and the fixed sample size when not 0
};

// Built from the input picture and the output depth recorded by
// CheckTransform (24 gives RGB24, anything else RGB32).
ProposedOutput proposeOutput(int32_t inputWidth, int32_t inputHeight, int32_t outputDepth);

// The picture described by an accepted type, for the compositor.
PictureFormat pictureOf(const OfferedType& type, PictureKind kind);

// What the transform step knows of a sample and of its two connections.
struct InPlaceFacts {
    bool mediaSample = true;          // a sample of the media stream itself
    bool typeChanged = false;         // the sample brings a new media type
    bool readOnly = false;            // upstream said its buffers must not be written
    bool ownOutputAllocator = false;  // the output pin hands out the filter's own buffers
    bool intoARenderer = false;       // the downstream filter ends the stream there
    long inputBuffers = 0;            // buffers of the input's allocator
    long outputBuffers = 0;           // buffers of the output's allocator
};

// Whether the filter may draw into the sample it received and hand that
// sample on, instead of composing a copy in a buffer of its output: only
// where nobody can tell the difference. The downstream filter hands the
// stream on (a renderer may keep the last sample to show it again, and would
// then hold one of upstream's buffers for as long as it likes) and took the
// filter's own buffers (so it reads what it gets), upstream lets its buffers
// be written, the input has as many buffers as the downstream asked for (it
// may hold that many), and the accepted picture converts onto itself.
bool drawsInPlace(const InPlaceFacts& facts, const OfferedType& input, const OfferedType& output);

}  // namespace qucap
