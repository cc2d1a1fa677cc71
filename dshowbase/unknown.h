#pragma once
// The non-delegating IUnknown every object of the layer is built on: its own
// reference count, aggregation through an outer unknown, and the module's
// count of live objects.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace qucap {

// The inner IUnknown of an object: an aggregating outer object holds this one,
// while the object's interfaces forward their IUnknown methods to the owner.
struct INonDelegatingUnknown {
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;

protected:
    ~INonDelegatingUnknown() = default;
};

// Hands out an interface pointer with a reference added (through the
// interface's own AddRef, so through the owner). Null object: E_POINTER.
HRESULT GetInterface(IUnknown* itf, void** object);

class CUnknown : public INonDelegatingUnknown {
public:
    // outer: the aggregating object, or null for a stand-alone object. The
    // count starts at 0; the class factory takes the first reference.
    explicit CUnknown(IUnknown* outer);
    virtual ~CUnknown();
    CUnknown(const CUnknown&) = delete;
    CUnknown& operator=(const CUnknown&) = delete;

    // Answers IUnknown with the inner (non-delegating) unknown; a null result
    // pointer gives E_POINTER, anything else E_NOINTERFACE with *object null.
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    // Deletes the object when the count reaches zero.
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    // Where the object's interfaces send QueryInterface/AddRef/Release: the
    // outer unknown when aggregated, else the object's own inner unknown.
    IUnknown* GetOwner() const { return owner_; }
    // The inner unknown (what an aggregating object keeps).
    IUnknown* NonDelegatingUnknown() { return &inner_; }

protected:
    std::atomic<long> m_cRef{0};

private:
    // IUnknown face of the non-delegating methods.
    struct Inner final : IUnknown {
        explicit Inner(CUnknown* self) : self_(self) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return self_->NonDelegatingQueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return self_->NonDelegatingAddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return self_->NonDelegatingRelease(); }
        CUnknown* self_;
    };
    Inner inner_;
    IUnknown* owner_;
};

}  // namespace qucap

// Put in the public part of a class derived from CUnknown and from one or more
// COM interfaces: the interfaces' IUnknown methods go to the owner.
#define DECLARE_IUNKNOWN                                                                      \
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {                         \
        return GetOwner()->QueryInterface(iid, object);                                       \
    }                                                                                         \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }                   \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }
