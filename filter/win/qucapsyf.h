#pragma once
// CQucapsyf, the caption synthesize filter: a transform filter that takes
// YUY2 or RGB frames and delivers RGB frames with the project's captions,
// boxes, watermark and time display drawn in. Its settings come from the
// project the program loaded last; IQucapsyf lets the property page change
// part of them, which makes the next sample initialise the filter again.
#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <optional>
#include <string>

#include "captiondata/io/io.h"
#include "dshowbase/crit_sec.h"
#include "dshowbase/transform_filter.h"
#include "filter/core/compose/compositor.h"
#include "filter/core/filter_settings.h"
#include "filter/core/filter_tables.h"
#include "filter/core/video_types.h"
#include "filter/win/drive_types.h"
#include "filter/win/gdi_rasteriser.h"
#include "filter/win/gdi_surface.h"
#include "filter/win/installed_fonts.h"
#include "filter/win/iqucapsyf.h"
#include "filter/win/iqucapsyf_step_times.h"
#include "filter/win/message_box_ui.h"
#include "filter/win/shared_block.h"
#include "win32/win32_file_system.h"
#include "win32/win32_shiftjis.h"

namespace qucap {

class CQucapsyf : public CTransformFilter,
                  public IQucapsyf,
                  public IQucapsyfStepTimes,
                  public ISpecifyPropertyPages {
public:
    // The class template's creator: a new filter (reference count 0), or
    // null when memory runs out.
    static CUnknown* CreateInstance(IUnknown* outer, HRESULT* result);

    explicit CQucapsyf(IUnknown* outer);
    ~CQucapsyf() override;

    DECLARE_IUNKNOWN
    // IQucapsyf, IQucapsyfStepTimes and ISpecifyPropertyPages, then the base class's; a null
    // result pointer gives E_POINTER.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // CTransformFilter; Receive laps the step times around the base's, or
    // around composing in the sample received when that changes no byte.
    HRESULT Receive(IMediaSample* sample) override;
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
    HRESULT CheckInputType(const CMediaType* in) override;
    HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin) override;

    // IQucapsyf: every method under the settings lock. Null pointers give
    // E_POINTER; strings are cut to the caller's capacity.
    STDMETHODIMP GetSettingsPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetProjectPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetCaptionPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetFontList(const WCHAR** list, int* count) override;
    STDMETHODIMP GetFontNames(WCHAR* main, int mainCapacity, WCHAR* ruby, int rubyCapacity) override;
    STDMETHODIMP GetFontSizes(int* main, int* ruby) override;
    STDMETHODIMP GetLayout(int* type, int* fill, int* side) override;
    STDMETHODIMP GetTimeDisplay(int* flag) override;
    STDMETHODIMP GetBorderType(int* type) override;
    STDMETHODIMP SetCaptionPath(const WCHAR* path) override;
    STDMETHODIMP SetFontNames(const WCHAR* main, const WCHAR* ruby) override;
    STDMETHODIMP SetFontSizes(int main, int ruby) override;
    STDMETHODIMP SetLayout(int type, int fill, int side) override;
    STDMETHODIMP SetTimeDisplay(int flag) override;
    STDMETHODIMP SetBorderType(int type) override;

    // ISpecifyPropertyPages: the one page CQucapsyfProperties.
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // IQucapsyfStepTimes
    STDMETHODIMP KeepStepTimes(BOOL keep) override;
    STDMETHODIMP GetStepTimes(SampleStepTimes* times) override;

private:
    // Loads the three files and prepares the fonts from the settings as they
    // stand; the flag is set before, so a setter during it means once more.
    HRESULT initialise();
    // A setter's edit of the settings, under the lock, clearing the flag.
    template <class Edit>
    HRESULT changeSettings(Edit edit);
    // The input picture, its data and the output buffer checked against the
    // connection's types; composes or, for a sample too small for its type,
    // clears the output without drawing.
    HRESULT composeSample(IMediaSample* in, IMediaSample* out);
    // The sample, the pins' allocators and types answer drawsInPlace.
    bool drawsInPlace(IMediaSample* sample) const;
    HRESULT receiveInPlace(IMediaSample* sample);
    // Keeps the face names the last layout left for GetFontNames.
    void publishHeldFaces();
    // The input pin's connection type, when connected with a type the filter takes.
    std::optional<OfferedType> connectedInput() const;
    // The output pin's depth when it is connected, else the last accepted one.
    int32_t outputDepth() const;

    // Platform seams the loaders and checks use.
    MessageBoxUi ui_;
    Win32FileSystem files_;
    Win32ShiftJisDecoder shiftJis_;
    Io io_{files_, ui_, shiftJis_};
    Win32DriveTypes drives_;

    CCritSec settingsLock_;  // guards IQucapsyf: settings_, heldMainFace_, heldRubyFace_
    InstalledFontList installedFonts_;
    FilterSettings settings_;
    std::u16string heldMainFace_;
    std::u16string heldRubyFace_;
    std::optional<SharedControlBlock> block_;

    // The streaming side; the compositor holds the settings of the last
    // initialisation.
    GdiRasteriser rasteriser_;
    GdiSurfaceFactory surfaces_;
    FrameCompositor compositor_{rasteriser_, surfaces_};
    FilterTables tables_;
    std::atomic<bool> initialised_{false};
    std::u16string publishedMainFace_;  // what publishHeldFaces last wrote
    std::u16string publishedRubyFace_;

    // The output depth of the last output type CheckTransform accepted:
    // what GetMediaType proposes while the output pin is not connected.
    int32_t acceptedOutputDepth_ = 0;
};

}  // namespace qucap
