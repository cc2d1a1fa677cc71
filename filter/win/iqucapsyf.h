#pragma once
// The caption filter's own interface and the class identifiers of the
// filter module. IQucapsyf shares its identifier with the filter's class.
#include <windows.h>
#include <unknwn.h>

namespace qucap {

// {C113BBBD-27E5-4E1A-B331-E5CFF8474C66}
inline constexpr GUID kClsidQucapsyf = {0xC113BBBD, 0x27E5, 0x4E1A, {0xB3, 0x31, 0xE5, 0xCF, 0xF8, 0x47, 0x4C, 0x66}};
inline constexpr GUID kIidIQucapsyf = kClsidQucapsyf;
// {C993824E-7FAB-4731-9DEF-1FAC76563334}
inline constexpr GUID kClsidQucapsyfProperties = {
    0xC993824E, 0x7FAB, 0x4731, {0x9D, 0xEF, 0x1F, 0xAC, 0x76, 0x56, 0x33, 0x34}};

inline constexpr wchar_t kFilterName[] = L"Kavren Caption Synthesize Filter";
inline constexpr wchar_t kPropertyPageName[] = L"Kavren Caption Synthesize Filter Property Page";

// Slots of the installed-font list: 64 characters each, zero-terminated.
constexpr int kFontSlotChars = 64;

// Every method runs under the filter's own settings lock, not the filter
// lock of the graph's state changes; the streaming thread holds it only to
// copy the settings, so a call never waits for a frame. A null pointer argument gives E_POINTER, a setter whose copy of a
// text cannot be made E_OUTOFMEMORY, anything else S_OK. Strings are copied
// with the capacity the caller gives (in characters, terminator included; 0
// copies nothing). The setters make the next sample re-initialise the
// filter; they do not check ranges.
struct IQucapsyf : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetSettingsPath(WCHAR* buffer, int capacity) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProjectPath(WCHAR* buffer, int capacity) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaptionPath(WCHAR* buffer, int capacity) = 0;
    // The list stays owned by the filter.
    virtual HRESULT STDMETHODCALLTYPE GetFontList(const WCHAR** list, int* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFontNames(WCHAR* main, int mainCapacity, WCHAR* ruby, int rubyCapacity) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFontSizes(int* main, int* ruby) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLayout(int* type, int* fill, int* side) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimeDisplay(int* flag) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBorderType(int* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCaptionPath(const WCHAR* path) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFontNames(const WCHAR* main, const WCHAR* ruby) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFontSizes(int main, int ruby) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLayout(int type, int fill, int side) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetTimeDisplay(int flag) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBorderType(int type) = 0;
};

}  // namespace qucap
