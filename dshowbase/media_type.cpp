#include "dshowbase/media_type.h"

#include <cstring>

namespace qucap {

void FreeMediaType(AM_MEDIA_TYPE& type) {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    if (type.pUnk) type.pUnk->Release();
    type.pUnk = nullptr;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    FreeMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source) {
    *target = *source;
    if (target->pUnk) target->pUnk->AddRef();
    if (source->cbFormat == 0 || !source->pbFormat) {
        target->cbFormat = 0;
        target->pbFormat = nullptr;
        return S_OK;
    }
    target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
    if (!target->pbFormat) {
        target->cbFormat = 0;
        return E_OUTOFMEMORY;
    }
    std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source) {
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) return nullptr;
    if (FAILED(CopyMediaType(copy, source))) {
        DeleteMediaType(copy);
        return nullptr;
    }
    return copy;
}

CMediaType::CMediaType() { initialise(); }

CMediaType::CMediaType(const GUID* majorType) {
    initialise();
    if (majorType) majortype = *majorType;
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& other) {
    initialise();
    Set(other);
}

CMediaType::CMediaType(const CMediaType& other) : AM_MEDIA_TYPE() {
    initialise();
    Set(other);
}

CMediaType::~CMediaType() { FreeMediaType(*this); }

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& other) {
    Set(other);
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& other) {
    Set(other);
    return *this;
}

bool CMediaType::operator==(const CMediaType& other) const {
    return IsEqualGUID(majortype, other.majortype) && IsEqualGUID(subtype, other.subtype) &&
           IsEqualGUID(formattype, other.formattype) && cbFormat == other.cbFormat &&
           (cbFormat == 0 || std::memcmp(pbFormat, other.pbFormat, cbFormat) == 0);
}

HRESULT CMediaType::Set(const CMediaType& other) { return Set(static_cast<const AM_MEDIA_TYPE&>(other)); }

HRESULT CMediaType::Set(const AM_MEDIA_TYPE& other) {
    if (&other == this) return S_OK;
    FreeMediaType(*this);
    return CopyMediaType(this, &other);
}

BOOL CMediaType::IsValid() const { return !IsEqualGUID(majortype, GUID_NULL); }

void CMediaType::SetSampleSize(ULONG size) {
    if (size == 0) {
        SetVariableSize();
        return;
    }
    bFixedSizeSamples = TRUE;
    lSampleSize = size;
}

void CMediaType::SetVariableSize() { bFixedSizeSamples = FALSE; }

ULONG CMediaType::GetSampleSize() const { return bFixedSizeSamples ? lSampleSize : 0; }

BYTE* CMediaType::AllocFormatBuffer(ULONG length) {
    ResetFormatBuffer();
    if (length == 0) return nullptr;
    pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!pbFormat) return nullptr;
    std::memset(pbFormat, 0, length);
    cbFormat = length;
    return pbFormat;
}

BYTE* CMediaType::ReallocFormatBuffer(ULONG length) {
    if (length == 0) {
        ResetFormatBuffer();
        return nullptr;
    }
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!block) return nullptr;
    std::memset(block, 0, length);
    if (pbFormat) std::memcpy(block, pbFormat, cbFormat < length ? cbFormat : length);
    ResetFormatBuffer();
    pbFormat = block;
    cbFormat = length;
    return pbFormat;
}

BOOL CMediaType::SetFormat(const BYTE* format, ULONG length) {
    if (length == 0) {
        ResetFormatBuffer();
        return TRUE;
    }
    // Copied into a new block first: format may point into the old one.
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!block) return FALSE;
    std::memcpy(block, format, length);
    ResetFormatBuffer();
    pbFormat = block;
    cbFormat = length;
    return TRUE;
}

void CMediaType::ResetFormatBuffer() {
    if (pbFormat) CoTaskMemFree(pbFormat);
    pbFormat = nullptr;
    cbFormat = 0;
}

BOOL CMediaType::IsPartiallySpecified() const {
    return IsEqualGUID(majortype, GUID_NULL) || IsEqualGUID(subtype, GUID_NULL) ||
           IsEqualGUID(formattype, GUID_NULL);
}

BOOL CMediaType::MatchesPartial(const CMediaType* partial) const {
    auto matches = [](const GUID& wanted, const GUID& ours) {
        return IsEqualGUID(wanted, GUID_NULL) || IsEqualGUID(wanted, ours);
    };
    if (!matches(partial->majortype, majortype) || !matches(partial->subtype, subtype)) return FALSE;
    if (IsEqualGUID(partial->formattype, GUID_NULL)) return TRUE;
    if (!IsEqualGUID(partial->formattype, formattype)) return FALSE;
    return partial->cbFormat == cbFormat &&
           (cbFormat == 0 || std::memcmp(partial->pbFormat, pbFormat, cbFormat) == 0);
}

void CMediaType::initialise() {
    std::memset(static_cast<AM_MEDIA_TYPE*>(this), 0, sizeof(AM_MEDIA_TYPE));
    bFixedSizeSamples = TRUE;
    lSampleSize = 1;
}

}  // namespace qucap
