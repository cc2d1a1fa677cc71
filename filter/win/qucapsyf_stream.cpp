// The streaming half of CQucapsyf: media types, buffers, initialisation and
// the transform of each sample.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include <vfwmsgs.h>

#include "dshowbase/com_guard.h"
#include "dshowbase/sample_props.h"
#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"
#include "filter/win/qucapsyf.h"
#include "filter/win/video_media_type.h"

namespace qucap {
namespace {

int32_t bitsOfPicture(const OfferedType& type, PictureKind kind) {
    return kind == PictureKind::Yuy2 ? 16 : type.bitCount;
}

long buffersOf(IMemAllocator* allocator) {
    ALLOCATOR_PROPERTIES properties{};
    return allocator != nullptr && SUCCEEDED(allocator->GetProperties(&properties)) ? properties.cBuffers : 0;
}

}  // namespace

HRESULT CQucapsyf::initialise() {
    initialised_ = true;
    FilterSettings settings;
    {
        CAutoLock lock(&settingsLock_);
        settings = settings_;
    }
    loadFilterTables(io_, drives_, settings, tables_);
    compositor_.initialise(settings, tables_.captions, tables_.boxes, tables_.colours);
    publishHeldFaces();
    return S_OK;
}

void CQucapsyf::publishHeldFaces() {
    const FilterFonts& fonts = compositor_.fonts();
    // The lock is only taken when a layout changed the faces.
    if (fonts.main.face == publishedMainFace_ && fonts.ruby.face == publishedRubyFace_) return;
    publishedMainFace_ = fonts.main.face;
    publishedRubyFace_ = fonts.ruby.face;
    CAutoLock lock(&settingsLock_);
    heldMainFace_ = publishedMainFace_;
    heldRubyFace_ = publishedRubyFace_;
}

// The type checks only answer: a type refused by a QueryAccept while the
// pins stay connected changes nothing the connection relies on.
HRESULT CQucapsyf::CheckInputType(const CMediaType* in) {
    if (in == nullptr) return E_POINTER;
    return hresultOf(decideInput(offeredTypeOf(*in)).answer);
}

HRESULT CQucapsyf::CheckTransform(const CMediaType* in, const CMediaType* out) {
    if (in == nullptr || out == nullptr) return E_POINTER;
    if (CheckInputType(in) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    const OutputDecision decision = decideTransform(offeredTypeOf(*in), offeredTypeOf(*out));
    // The depth proposed from now on: the last output accepted.
    if (decision.answer == TypeAnswer::Accepted) acceptedOutputDepth_ = decision.depth;
    return hresultOf(decision.answer);
}

std::optional<OfferedType> CQucapsyf::connectedInput() const {
    if (m_pInput == nullptr || !m_pInput->IsConnected()) return std::nullopt;
    const OfferedType input = offeredTypeOf(m_pInput->CurrentMediaType());
    if (!decideInput(input).kind) return std::nullopt;
    return input;
}

int32_t CQucapsyf::outputDepth() const {
    if (m_pOutput != nullptr) {
        const OfferedType output = offeredTypeOf(m_pOutput->CurrentMediaType());
        if (output.headerComplete && (output.bitCount == 24 || output.bitCount == 32)) return output.bitCount;
    }
    return acceptedOutputDepth_;
}

HRESULT CQucapsyf::GetMediaType(int position, CMediaType* type) {
    if (m_pInput == nullptr || !m_pInput->IsConnected()) return E_UNEXPECTED;
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    const std::optional<OfferedType> input = connectedInput();
    if (!input) return E_FAIL;
    if (type == nullptr) return E_POINTER;
    return fillProposedType(proposeOutput(input->width, input->height, outputDepth()), m_pInput->CurrentMediaType(),
                            *type);
}

HRESULT CQucapsyf::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    if (m_pInput == nullptr || !m_pInput->IsConnected()) return E_UNEXPECTED;
    const std::optional<OfferedType> input = connectedInput();
    if (!input) return E_FAIL;
    if (allocator == nullptr || request == nullptr) return E_POINTER;
    int64_t bytes = rgbImageBytes(input->width, input->height, outputDepth() == 24 ? 24 : 32);
    // A downstream filter may have asked for a wider picture than the input's:
    // the buffers then hold that picture, so frames are never cut short.
    if (m_pOutput != nullptr) {
        const OfferedType output = offeredTypeOf(m_pOutput->CurrentMediaType());
        if (output.headerComplete) bytes = std::max(bytes, pictureBytes(output.width, output.height, output.bitCount));
    }
    // A larger buffer the downstream pin asked for is kept.
    bytes = std::max<int64_t>(bytes, request->cbBuffer);
    if (bytes > LONG_MAX) return E_OUTOFMEMORY;
    request->cBuffers = std::max<long>(request->cBuffers, 1);
    request->cbAlign = std::max<long>(request->cbAlign, 1);
    request->cbBuffer = long(bytes);
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    // An allocator may grant less than asked; buffers too small for the
    // picture would make every frame black, so the connection fails instead.
    if (actual.cbBuffer < request->cbBuffer || actual.cBuffers < 1) return E_FAIL;
    return S_OK;
}

HRESULT CQucapsyf::CompleteConnect(PIN_DIRECTION, IPin*) {
    if (initialised_) return S_OK;
    return guardCom([&] { return initialise(); });
}

HRESULT CQucapsyf::Receive(IMediaSample* sample) {
    StepStopwatch& watch = compositor_.stopwatch();
    watch.lap(SampleStep::Arrival);
    watch.countSample();
    const HRESULT hr = drawsInPlace(sample) ? receiveInPlace(sample) : CTransformFilter::Receive(sample);
    watch.lap(SampleStep::Delivery);
    return hr;
}

bool CQucapsyf::drawsInPlace(IMediaSample* sample) const {
    const AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    InPlaceFacts facts;
    facts.mediaSample = props->dwStreamId == AM_STREAM_MEDIA && sample != nullptr;
    facts.typeChanged = (props->dwSampleFlags & AM_SAMPLE_TYPECHANGED) != 0;
    facts.readOnly = m_pInput->IsReadOnly() != FALSE;
    facts.ownOutputAllocator = m_pOutput->UsesOwnAllocator();
    facts.intoARenderer = m_pOutput->DeliversToTheStreamsEnd();
    facts.inputBuffers = buffersOf(m_pInput->Allocator());
    facts.outputBuffers = buffersOf(m_pOutput->Allocator());
    return qucap::drawsInPlace(facts, offeredTypeOf(m_pInput->CurrentMediaType()),
                               offeredTypeOf(m_pOutput->CurrentMediaType()));
}

// The picture is composed in the sample itself, which then goes downstream:
// the same bytes as a copy into an output buffer, without the copy.
HRESULT CQucapsyf::receiveInPlace(IMediaSample* sample) {
    const HRESULT hr = Transform(sample, sample);
    if (FAILED(hr)) return hr;
    m_bSampleSkipped = FALSE;
    return m_pOutput->Deliver(sample);
}

STDMETHODIMP CQucapsyf::KeepStepTimes(BOOL keep) {
    CAutoLock streaming(&m_csReceive);
    compositor_.stopwatch().enable(keep != FALSE);
    return S_OK;
}

STDMETHODIMP CQucapsyf::GetStepTimes(SampleStepTimes* times) {
    if (times == nullptr) return E_POINTER;
    CAutoLock streaming(&m_csReceive);
    *times = compositor_.stopwatch().times();
    return S_OK;
}

HRESULT CQucapsyf::Transform(IMediaSample* in, IMediaSample* out) {
    compositor_.stopwatch().lap(SampleStep::OutputSample);
    return guardCom([&] {
        if (!initialised_) {
            const HRESULT hr = initialise();
            if (FAILED(hr)) return hr;
        }
        if (out == nullptr || in == nullptr) return E_POINTER;
        const HRESULT copied = in == out ? S_OK : copySampleProperties(in, out);
        if (FAILED(copied)) return copied;
        return composeSample(in, out);
    });
}

HRESULT CQucapsyf::composeSample(IMediaSample* in, IMediaSample* out) {
    // The kinds and pictures of the connection itself: a type refused later
    // (a query while connected) does not change what the samples are.
    const OfferedType inputType = offeredTypeOf(m_pInput->CurrentMediaType());
    const OfferedType outputType = offeredTypeOf(m_pOutput->CurrentMediaType());
    const InputDecision input = decideInput(inputType);
    if (!input.kind) return E_FAIL;
    const PictureKind kind = *input.kind;

    BYTE* inBits = nullptr;
    BYTE* outBits = nullptr;
    if (FAILED(in->GetPointer(&inBits)) || FAILED(out->GetPointer(&outBits))) inBits = outBits = nullptr;
    const long inLength = in->GetActualDataLength();
    const long outSize = out->GetSize();
    const int64_t inNeeded = pictureBytes(inputType.width, inputType.height, bitsOfPicture(inputType, kind));
    const int64_t outNeeded = pictureBytes(outputType.width, outputType.height, outputType.bitCount);
    StepStopwatch& watch = compositor_.stopwatch();
    watch.lap(SampleStep::Properties);
    const int32_t seekOffset = block_ ? block_->seekOffset() : 0;
    watch.lap(SampleStep::SharedBlock);

    if (inBits == nullptr || outBits == nullptr || inLength < inNeeded || outSize < outNeeded) {
        // Too small for its type: passed on black, nothing drawn.
        if (outBits != nullptr && outSize > 0) std::memset(outBits, 0, std::size_t(outSize));
        return S_OK;
    }

    ComposeRequest request;
    request.input = inBits;
    request.inputSize = std::size_t(inLength);
    request.inputFormat = pictureOf(inputType, kind);
    request.output = outBits;
    request.outputSize = std::size_t(outSize);
    request.outputFormat = pictureOf(outputType, PictureKind::Rgb);
    REFERENCE_TIME start = 0, stop = 0;
    if (in->GetTime(&start, &stop) == S_OK) request.times = SampleTimes{start, stop};
    request.seekOffset = seekOffset;
    if (compositor_.composeFrame(request) != 0) return E_FAIL;
    out->SetActualDataLength(long(outNeeded));
    publishHeldFaces();
    return S_OK;
}

}  // namespace qucap
