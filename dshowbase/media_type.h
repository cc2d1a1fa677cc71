#pragma once
// CMediaType: an AM_MEDIA_TYPE that owns its format block (CoTaskMemAlloc) and
// its pUnk reference, with the helpers pins and filters use. The free
// functions work on plain AM_MEDIA_TYPE records handed across COM.
#include <windows.h>
#include <dshow.h>

namespace qucap {

// Frees the format block and releases pUnk; the record stays, emptied.
void FreeMediaType(AM_MEDIA_TYPE& type);
// FreeMediaType, then CoTaskMemFree of the record itself (for types returned
// by IEnumMediaTypes::Next). Null is ignored.
void DeleteMediaType(AM_MEDIA_TYPE* type);
// A deep copy into *target (whose old contents are not freed). E_OUTOFMEMORY
// when the format block cannot be allocated; *target then has no format.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
// A deep copy in CoTaskMemAlloc'ed memory, or null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);

class CMediaType : public AM_MEDIA_TYPE {
public:
    // An empty type: GUIDs null, no format, fixed-size samples of size 1.
    CMediaType();
    // An empty type with the given major type (may be null).
    explicit CMediaType(const GUID* majorType);
    CMediaType(const AM_MEDIA_TYPE& other);
    CMediaType(const CMediaType& other);
    ~CMediaType();

    // Copies; when the format block cannot be allocated the result has none.
    CMediaType& operator=(const AM_MEDIA_TYPE& other);
    CMediaType& operator=(const CMediaType& other);
    // Equal major type, subtype, format type and format bytes.
    bool operator==(const CMediaType& other) const;
    bool operator!=(const CMediaType& other) const { return !(*this == other); }

    // Deep copy with a result: S_OK or E_OUTOFMEMORY.
    HRESULT Set(const CMediaType& other);
    HRESULT Set(const AM_MEDIA_TYPE& other);
    // A major type has been set.
    BOOL IsValid() const;

    const GUID* Type() const { return &majortype; }
    void SetType(const GUID* type) { majortype = *type; }
    const GUID* Subtype() const { return &subtype; }
    void SetSubtype(const GUID* type) { subtype = *type; }
    const GUID* FormatType() const { return &formattype; }
    void SetFormatType(const GUID* type) { formattype = *type; }

    BOOL IsFixedSize() const { return bFixedSizeSamples; }
    BOOL IsTemporalCompressed() const { return bTemporalCompression; }
    void SetTemporalCompression(BOOL compressed) { bTemporalCompression = compressed; }
    // Fixed-size samples of this size; 0 makes the samples variable-sized.
    void SetSampleSize(ULONG size);
    void SetVariableSize();
    // The fixed sample size, or 0 for variable-sized samples.
    ULONG GetSampleSize() const;

    BYTE* Format() const { return pbFormat; }
    ULONG FormatLength() const { return cbFormat; }
    // A new zeroed format block of the given length in place of the old one;
    // null when memory runs out (the type then has no format).
    BYTE* AllocFormatBuffer(ULONG length);
    // The format block resized to the given length, its leading bytes kept,
    // new bytes zeroed; null when memory runs out (the old block stays).
    BYTE* ReallocFormatBuffer(ULONG length);
    // A copy of the given bytes as the format block. FALSE when memory runs out.
    BOOL SetFormat(const BYTE* format, ULONG length);
    // No format block (format type left as it is).
    void ResetFormatBuffer();

    // A major type, subtype or format type is still null.
    BOOL IsPartiallySpecified() const;
    // Every GUID set in *partial matches ours, and a format block given there
    // matches ours byte for byte.
    BOOL MatchesPartial(const CMediaType* partial) const;

private:
    void initialise();
};

}  // namespace qucap
