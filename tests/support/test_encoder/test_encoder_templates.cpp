#include "tests/support/test_encoder/test_encoder_templates.h"

#include "tests/support/test_encoder/encoder_filter.h"
#include "tests/support/test_encoder/test_encoder.h"

namespace qucap::test {
namespace {

const AMOVIESETUP_MEDIATYPE kInputTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32}};
const AMOVIESETUP_MEDIATYPE kOutputTypes[] = {{&MEDIATYPE_Video, &kTestEncoderSubtype}};
const AMOVIESETUP_PIN kPins[] = {
    {L"XForm In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kInputTypes},
    {L"XForm Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kOutputTypes},
};
// MERIT_DO_NOT_USE: intelligent connect never picks the encoder on its own.
const AMOVIESETUP_FILTER kSetup = {&kClsidTestEncoder, kTestEncoderName, MERIT_DO_NOT_USE, 2, kPins};
const CFactoryTemplate kTemplates[] = {
    {kTestEncoderName, &kClsidTestEncoder, TestLosslessEncoder::CreateInstance, &kSetup},
};

}  // namespace

std::span<const CFactoryTemplate> testEncoderTemplates() { return kTemplates; }

}  // namespace qucap::test
