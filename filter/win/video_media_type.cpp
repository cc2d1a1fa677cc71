#include "filter/win/video_media_type.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <dshow.h>
#include <vfwmsgs.h>

#include <array>
#include <cstring>

namespace qucap {
namespace {

struct SubtypeName {
    const GUID* guid;
    OfferedSubtype subtype;
};

const std::array<SubtypeName, 3> kSubtypes = {{
    {&MEDIASUBTYPE_RGB24, OfferedSubtype::Rgb24},
    {&MEDIASUBTYPE_RGB32, OfferedSubtype::Rgb32},
    {&MEDIASUBTYPE_YUY2, OfferedSubtype::Yuy2},
}};

OfferedSubtype subtypeOf(const GUID& guid) {
    for (const SubtypeName& s : kSubtypes)
        if (IsEqualGUID(*s.guid, guid)) return s.subtype;
    return OfferedSubtype::Other;
}

OfferedFormat formatOf(const GUID& guid) {
    if (IsEqualGUID(guid, FORMAT_VideoInfo)) return OfferedFormat::VideoInfo;
    if (IsEqualGUID(guid, FORMAT_VideoInfo2)) return OfferedFormat::VideoInfo2;
    return OfferedFormat::Other;
}

PixelRect rectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

template <class Header>
void readHeader(const AM_MEDIA_TYPE& type, OfferedType& offered) {
    if (type.pbFormat == nullptr || type.cbFormat < sizeof(Header)) return;
    Header header;
    std::memcpy(&header, type.pbFormat, sizeof(Header));  // the block may be unaligned
    offered.headerComplete = true;
    offered.width = header.bmiHeader.biWidth;
    offered.height = header.bmiHeader.biHeight;
    offered.bitCount = header.bmiHeader.biBitCount;
    offered.target = rectOf(header.rcTarget);
}

}  // namespace

OfferedType offeredTypeOf(const AM_MEDIA_TYPE& type) {
    OfferedType offered;
    offered.video = IsEqualGUID(type.majortype, MEDIATYPE_Video);
    offered.subtype = subtypeOf(type.subtype);
    offered.format = formatOf(type.formattype);
    if (offered.format == OfferedFormat::VideoInfo) readHeader<VIDEOINFOHEADER>(type, offered);
    if (offered.format == OfferedFormat::VideoInfo2) readHeader<VIDEOINFOHEADER2>(type, offered);
    return offered;
}

HRESULT hresultOf(TypeAnswer answer) {
    switch (answer) {
    case TypeAnswer::Accepted: return S_OK;
    case TypeAnswer::InvalidArgument: return E_INVALIDARG;
    case TypeAnswer::NotAccepted: return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT fillProposedType(const ProposedOutput& proposal, const AM_MEDIA_TYPE& input, CMediaType& type) {
    auto* header = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    if (header == nullptr) return E_OUTOFMEMORY;
    // VIDEOINFOHEADER and VIDEOINFOHEADER2 begin with the same rectangles,
    // rates and frame duration.
    if (input.pbFormat != nullptr && input.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        VIDEOINFOHEADER from;
        std::memcpy(&from, input.pbFormat, sizeof(from));
        header->dwBitRate = from.dwBitRate;
        header->dwBitErrorRate = from.dwBitErrorRate;
        header->AvgTimePerFrame = from.AvgTimePerFrame;
    }
    const RECT rect = {proposal.rect.left, proposal.rect.top, proposal.rect.right, proposal.rect.bottom};
    header->rcSource = rect;
    header->rcTarget = rect;
    BITMAPINFOHEADER& bitmap = header->bmiHeader;
    bitmap.biSize = sizeof(BITMAPINFOHEADER);
    bitmap.biWidth = proposal.width;
    bitmap.biHeight = proposal.height;
    bitmap.biPlanes = 1;
    bitmap.biBitCount = WORD(proposal.bitCount);
    bitmap.biCompression = BI_RGB;
    const bool fits = proposal.imageBytes > 0 && proposal.imageBytes <= int64_t(MAXDWORD);
    bitmap.biSizeImage = fits ? DWORD(proposal.imageBytes) : 0;

    type.SetType(&MEDIATYPE_Video);
    type.SetSubtype(proposal.subtype == OfferedSubtype::Rgb24 ? &MEDIASUBTYPE_RGB24 : &MEDIASUBTYPE_RGB32);
    type.SetFormatType(&FORMAT_VideoInfo);
    type.SetTemporalCompression(FALSE);
    type.SetSampleSize(bitmap.biSizeImage);  // 0: variable-sized samples
    return S_OK;
}

}  // namespace qucap
