#include "filter/core/video_types.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

OfferedType video(OfferedSubtype subtype, OfferedFormat format, int32_t bits, int32_t width = 720,
                  int32_t height = 480) {
    OfferedType type;
    type.video = true;
    type.subtype = subtype;
    type.format = format;
    type.headerComplete = true;
    type.bitCount = bits;
    type.width = width;
    type.height = height;
    return type;
}

const OfferedType kYuy2 = video(OfferedSubtype::Yuy2, OfferedFormat::VideoInfo2, 16);
const OfferedType kRgb24 = video(OfferedSubtype::Rgb24, OfferedFormat::VideoInfo, 24);
const OfferedType kRgb32 = video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32);

TEST(VideoTypesInput, AcceptsTheThreeKindsAndRecordsKindAndDepth) {
    InputDecision d = decideInput(kYuy2);
    EXPECT_EQ(d.answer, TypeAnswer::Accepted);
    EXPECT_EQ(d.kind, PictureKind::Yuy2);
    EXPECT_EQ(d.depth, 0);
    d = decideInput(kRgb24);
    EXPECT_EQ(d.kind, PictureKind::Rgb);
    EXPECT_EQ(d.depth, 24);
    d = decideInput(kRgb32);
    EXPECT_EQ(d.kind, PictureKind::Rgb);
    EXPECT_EQ(d.depth, 32);
}

TEST(VideoTypesInput, RefusesOtherFormatsKindsAndDepths) {
    OfferedType wave = kRgb24;
    wave.video = false;
    wave.format = OfferedFormat::Other;  // FORMAT_WaveFormatEx
    EXPECT_EQ(decideInput(wave).answer, TypeAnswer::InvalidArgument);
    EXPECT_FALSE(decideInput(wave).kind);

    OfferedType rgb16 = video(OfferedSubtype::Other, OfferedFormat::VideoInfo, 16);
    EXPECT_EQ(decideInput(rgb16).answer, TypeAnswer::NotAccepted);
    // Each kind only with its own header and depth.
    EXPECT_EQ(decideInput(video(OfferedSubtype::Yuy2, OfferedFormat::VideoInfo, 16)).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideInput(video(OfferedSubtype::Rgb24, OfferedFormat::VideoInfo2, 24)).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideInput(video(OfferedSubtype::Rgb24, OfferedFormat::VideoInfo, 32)).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideInput(video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 24)).answer, TypeAnswer::NotAccepted);
    OfferedType audio = kRgb24;
    audio.video = false;
    EXPECT_EQ(decideInput(audio).answer, TypeAnswer::NotAccepted);
    // A format block too short for its header is never read.
    OfferedType shortBlock = kYuy2;
    shortBlock.headerComplete = false;
    EXPECT_EQ(decideInput(shortBlock).answer, TypeAnswer::NotAccepted);
}

TEST(VideoTypesTransform, OutputsRgbOfEitherDepthAtLeastAsWide) {
    for (const OfferedType& input : {kYuy2, kRgb24, kRgb32}) {
        EXPECT_EQ(decideTransform(input, kRgb32).answer, TypeAnswer::Accepted);
        EXPECT_EQ(decideTransform(input, kRgb32).depth, 32);
        EXPECT_EQ(decideTransform(input, kRgb24).depth, 24);
    }
    EXPECT_EQ(decideTransform(kYuy2, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32, 640)).answer,
              TypeAnswer::NotAccepted);
    EXPECT_EQ(decideTransform(kYuy2, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32, 736)).answer,
              TypeAnswer::Accepted);
    EXPECT_EQ(decideTransform(kRgb24, video(OfferedSubtype::Rgb24, OfferedFormat::VideoInfo, 24, 720, -480)).answer,
              TypeAnswer::NotAccepted);
}

TEST(VideoTypesTransform, RefusalsAndTheirCodes) {
    OfferedType badInput = kRgb24;
    badInput.format = OfferedFormat::Other;
    EXPECT_EQ(decideTransform(badInput, kRgb32).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideTransform(kRgb24, kYuy2).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideTransform(kRgb24, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 24)).answer,
              TypeAnswer::NotAccepted);
    EXPECT_EQ(decideTransform(kRgb24, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo2, 32)).answer,
              TypeAnswer::InvalidArgument);
    OfferedType notVideo = kRgb32;
    notVideo.video = false;
    EXPECT_EQ(decideTransform(kRgb24, notVideo).answer, TypeAnswer::NotAccepted);
    EXPECT_EQ(decideTransform(kRgb24, notVideo).depth, 0);
}

TEST(VideoTypesInPlace, OnlyWithTheOwnBuffersDownstreamAndWritableBuffersEnoughUpstream) {
    InPlaceFacts writable;
    writable.ownOutputAllocator = true;
    writable.inputBuffers = 2;
    writable.outputBuffers = 2;
    EXPECT_TRUE(drawsInPlace(writable, kRgb32, kRgb32));
    EXPECT_TRUE(drawsInPlace(writable, kRgb24, kRgb24));

    const auto with = [&](auto change) {
        InPlaceFacts facts = writable;
        change(facts);
        return drawsInPlace(facts, kRgb32, kRgb32);
    };
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.mediaSample = false; }));
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.typeChanged = true; }));
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.readOnly = true; }));
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.ownOutputAllocator = false; }));
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.intoARenderer = true; }));
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.inputBuffers = 1; }));  // the downstream may hold two
    EXPECT_FALSE(with([](InPlaceFacts& f) { f.inputBuffers = f.outputBuffers = 0; }));

    EXPECT_FALSE(drawsInPlace(writable, kYuy2, kRgb32));
    EXPECT_FALSE(drawsInPlace(writable, kRgb24, kRgb32));
    EXPECT_FALSE(drawsInPlace(writable, kRgb32, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32, 722)));
    EXPECT_FALSE(drawsInPlace(writable, kRgb32, video(OfferedSubtype::Rgb32, OfferedFormat::VideoInfo, 32, 720, -480)));
}

TEST(VideoTypesSizes, OutputImageAndPictureBytes) {
    EXPECT_EQ(rgbImageBytes(720, 480, 32), 1'382'400);
    EXPECT_EQ(rgbImageBytes(720, 480, 24), 1'036'800);
    EXPECT_EQ(rgbImageBytes(721, -3, 24), 2'164 * 3);  // rows padded to whole words
    EXPECT_EQ(rgbImageBytes(-1, 480, 24), 0);
    EXPECT_EQ(rgbImageBytes(65'536, 65'536, 32), int64_t(1) << 34);  // no overflow
    EXPECT_EQ(pictureBytes(720, 480, 16), 691'200);
    EXPECT_EQ(pictureBytes(721, 2, 24), 2'164 * 2);
    EXPECT_EQ(pictureBytes(721, -2, 32), 2'884 * 2);
}

TEST(VideoTypesProposal, RgbThirtyTwoUntilTwentyFourWasAccepted) {
    ProposedOutput p = proposeOutput(720, 480, 0);
    EXPECT_EQ(p.subtype, OfferedSubtype::Rgb32);
    EXPECT_EQ(p.bitCount, 32);
    EXPECT_EQ(p.imageBytes, 1'382'400);
    EXPECT_EQ(p.rect, (PixelRect{0, 0, 720, 480}));
    p = proposeOutput(720, -480, 24);
    EXPECT_EQ(p.subtype, OfferedSubtype::Rgb24);
    EXPECT_EQ(p.height, -480);
    EXPECT_EQ(p.rect, (PixelRect{0, 0, 720, 480}));
    EXPECT_EQ(p.imageBytes, 1'036'800);
    EXPECT_EQ(proposeOutput(0, 480, 32).imageBytes, 0);
}

}  // namespace
}  // namespace qucap
