#include "filter/core/video_types.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "filter/core/compose/conversion.h"

namespace qucap {
namespace {

// The inputs, in the order they are tested.
struct AcceptedInput {
    OfferedSubtype subtype;
    OfferedFormat format;
    int32_t bitCount;
    PictureKind kind;
    int32_t depth;  // recorded for RGB only
};

constexpr std::array<AcceptedInput, 3> kAcceptedInputs = {{
    {OfferedSubtype::Rgb24, OfferedFormat::VideoInfo, 24, PictureKind::Rgb, 24},
    {OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32, PictureKind::Rgb, 32},
    {OfferedSubtype::Yuy2, OfferedFormat::VideoInfo2, 16, PictureKind::Yuy2, 0},
}};

struct AcceptedOutput {
    OfferedSubtype subtype;
    int32_t bitCount;
};

constexpr std::array<AcceptedOutput, 2> kAcceptedOutputs = {{
    {OfferedSubtype::Rgb24, 24},
    {OfferedSubtype::Rgb32, 32},
}};

int64_t magnitude(int32_t value) { return std::llabs(int64_t(value)); }

}  // namespace

InputDecision decideInput(const OfferedType& input) {
    if (input.format != OfferedFormat::VideoInfo && input.format != OfferedFormat::VideoInfo2)
        return {TypeAnswer::InvalidArgument, std::nullopt, 0};
    if (!input.video || !input.headerComplete) return {};
    for (const AcceptedInput& accepted : kAcceptedInputs)
        if (input.subtype == accepted.subtype && input.format == accepted.format &&
            input.bitCount == accepted.bitCount)
            return {TypeAnswer::Accepted, accepted.kind, accepted.depth};
    return {};
}

OutputDecision decideTransform(const OfferedType& input, const OfferedType& output) {
    if (decideInput(input).answer != TypeAnswer::Accepted) return {};
    if (!output.video) return {};
    const AcceptedOutput* match = nullptr;
    for (const AcceptedOutput& accepted : kAcceptedOutputs)
        if (output.subtype == accepted.subtype) match = &accepted;
    if (match == nullptr) return {};
    if (output.format != OfferedFormat::VideoInfo) return {TypeAnswer::InvalidArgument, 0};
    if (!output.headerComplete || output.bitCount != match->bitCount) return {};
    if (output.width < input.width || output.height != input.height) return {};
    return {TypeAnswer::Accepted, match->bitCount};
}

int64_t rgbImageBytes(int32_t width, int32_t height, int32_t bits) {
    if (width < 0 || bits < 0) return 0;
    return (int64_t(width) * bits + 31) / 32 * 4 * magnitude(height);
}

int64_t pictureBytes(int32_t width, int32_t height, int32_t bits) {
    if (width < 0 || bits < 0) return 0;
    return ((int64_t(bits) / 8 * width + 3) & ~int64_t(3)) * magnitude(height);
}

ProposedOutput proposeOutput(int32_t inputWidth, int32_t inputHeight, int32_t outputDepth) {
    ProposedOutput out;
    const bool rgb24 = outputDepth == 24;
    out.subtype = rgb24 ? OfferedSubtype::Rgb24 : OfferedSubtype::Rgb32;
    out.bitCount = rgb24 ? 24 : 32;
    out.width = inputWidth;
    out.height = inputHeight;
    // A rectangle's bottom is a row count, whichever way the rows are stored.
    out.rect = {0, 0, inputWidth, int32_t(std::min<int64_t>(magnitude(inputHeight), INT32_MAX))};
    out.imageBytes = rgbImageBytes(inputWidth, inputHeight, out.bitCount);
    return out;
}

PictureFormat pictureOf(const OfferedType& type, PictureKind kind) {
    return {kind, type.width, type.height, type.bitCount, type.target};
}

bool drawsInPlace(const InPlaceFacts& facts, const OfferedType& input, const OfferedType& output) {
    if (!facts.mediaSample || facts.typeChanged || facts.readOnly || !facts.ownOutputAllocator ||
        facts.intoARenderer || facts.inputBuffers < std::max(facts.outputBuffers, 1L))
        return false;
    const std::optional<PictureKind> kind = decideInput(input).kind;
    if (!kind || decideTransform(input, output).answer != TypeAnswer::Accepted) return false;
    return convertsInPlace(pictureOf(input, *kind), pictureOf(output, PictureKind::Rgb));
}

}  // namespace qucap
