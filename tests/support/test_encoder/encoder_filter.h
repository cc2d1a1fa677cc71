#pragma once
// The tests' lossless video encoder as a DirectShow transform filter: RGB32
// pictures (VIDEOINFOHEADER) in, 'QTLE' frames out (lossless_codec.h),
// variable-sized samples, every frame a key frame. Its output type is one
// the AVI Mux takes: major type Video, the FOURCC's subtype, FORMAT_VideoInfo
// with a BITMAPINFOHEADER whose biCompression is the FOURCC.
#include "dshowbase/transform_filter.h"

namespace qucap::test {

class TestLosslessEncoder : public CTransformFilter {
public:
    static CUnknown* CreateInstance(IUnknown* outer, HRESULT* result);
    explicit TestLosslessEncoder(IUnknown* outer);

    HRESULT CheckInputType(const CMediaType* in) override;
    HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
};

// The output type for an accepted RGB32 input type, built as GetMediaType
// offers it. E_OUTOFMEMORY when the format block cannot be allocated.
HRESULT testEncoderOutputType(const AM_MEDIA_TYPE& input, CMediaType& output);

}  // namespace qucap::test
