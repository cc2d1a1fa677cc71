#pragma once
// The tests' lossless video encoder, "Qucap Test Lossless Video Encoder", for the
// tests that render through a real encoder: it is registered for the calling
// process only (a class object of this process plus the filter mapper's entry
// in the DirectShow filters category), so the system device enumerator lists
// it by its friendly name and binding its moniker creates it. Its frames
// decode with decodeTestEncoderFrame (lossless_codec.h) to the very RGB32
// bytes it was given.
//
// For tests that render in another process, the module QucapTestEncoder.ax
// (built in tests/win/test_encoder of the Windows tree) registers the same
// filter for every process through regsvr32. Use one way at a time: either
// one's unregistering removes the filter mapper's entry both share.
#include <windows.h>

#include "tests/support/test_encoder/lossless_codec.h"

namespace qucap::test {

// Holds "Encoder" and not "Audio", so the program lists it as a video
// encoder; holding "Video", it is kept out of the audio encoders.
inline constexpr wchar_t kTestEncoderName[] = L"Qucap Test Lossless Video Encoder";
// The media subtype of its frames: the FOURCC in the first field of the
// base GUID {XXXXXXXX-0000-0010-8000-00AA00389B71}.
inline constexpr GUID kTestEncoderSubtype = {kTestEncoderFourcc, 0x0000, 0x0010,
                                             {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
// {7A3C5E19-4B2D-4F61-8C0E-3D9A1B7F2E64}
inline constexpr GUID kClsidTestEncoder = {0x7A3C5E19, 0x4B2D, 0x4F61,
                                           {0x8C, 0x0E, 0x3D, 0x9A, 0x1B, 0x7F, 0x2E, 0x64}};

// Registers the class object with COM for this process (creatable from the
// calling thread's apartment) and the filter with the filter mapper, with
// MERIT_DO_NOT_USE so intelligent connect never picks it on its own. A second
// call while registered only renews the mapper entry. A failure leaves
// nothing registered. The caller has initialised COM.
HRESULT registerTestEncoder();
// Removes the mapper entry and revokes the class object; S_OK when nothing
// was registered.
HRESULT unregisterTestEncoder();

// registerTestEncoder for the life of the scope.
class TestEncoderRegistration {
public:
    TestEncoderRegistration() : result_(registerTestEncoder()) {}
    ~TestEncoderRegistration() {
        if (SUCCEEDED(result_)) unregisterTestEncoder();
    }
    TestEncoderRegistration(const TestEncoderRegistration&) = delete;
    TestEncoderRegistration& operator=(const TestEncoderRegistration&) = delete;
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace qucap::test
