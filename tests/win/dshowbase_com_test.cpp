// COM plumbing of the base classes: aggregation through an outer unknown,
// reference counts back to zero, the module's unload answer, and the class
// factory's result for each case.
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

#include "dshowbase/class_factory.h"
#include "dshowbase/module.h"
#include "dshowbase/transform_input_pin.h"
#include "tests/win/dshowbase_invert_filter.h"
#include "tests/win/dshowbase_test_support.h"

namespace qucap::dshowbase_test {
namespace {

// An object that owns an aggregated filter and counts what reaches it.
struct Outer final : IUnknown {
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        ++queries;
        return inner->QueryInterface(iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references); }
    long references = 1;
    int queries = 0;
    IUnknown* inner = nullptr;
};

// A plain object whose creator can be told to fail in each way.
struct Probe : CUnknown {
    explicit Probe(IUnknown* outer) : CUnknown(outer) {}
};

enum class CreatorMode { Succeed, GiveNull, ReportFailure, ThrowBadAlloc, ThrowOther };
CreatorMode g_mode = CreatorMode::Succeed;

CUnknown* createProbe(IUnknown* outer, HRESULT* result) {
    switch (g_mode) {
    case CreatorMode::GiveNull:
        return nullptr;
    case CreatorMode::ReportFailure:
        *result = E_ABORT;
        return new Probe(outer);
    case CreatorMode::ThrowBadAlloc:
        throw std::bad_alloc();
    case CreatorMode::ThrowOther:
        throw std::runtime_error("creator");
    case CreatorMode::Succeed:
        break;
    }
    return new Probe(outer);
}

// {3B8E51D2-6A0F-4E7C-A1B9-D4C2E7F60A35}
constexpr GUID kClsidProbe = {0x3B8E51D2, 0x6A0F, 0x4E7C, {0xA1, 0xB9, 0xD4, 0xC2, 0xE7, 0xF6, 0x0A, 0x35}};
// {7C21F4A8-0D5B-4B63-8E9A-15F3C6D2B084}: in no table.
constexpr GUID kClsidMissing = {0x7C21F4A8, 0x0D5B, 0x4B63, {0x8E, 0x9A, 0x15, 0xF3, 0xC6, 0xD2, 0xB0, 0x84}};

const CFactoryTemplate kTemplates[] = {
    {L"Invert", &kClsidInvertFilter, InvertFilter::CreateInstance, nullptr},
    {L"Probe", &kClsidProbe, createProbe, nullptr},
};

IClassFactory* factoryOf(REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(DllGetClassObjectFromTemplates(kTemplates, clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
}

struct BaseComTest : ::testing::Test {
    BaseComTest() : objectsBefore(liveObjectCount()) { g_mode = CreatorMode::Succeed; }
    ComApartment apartment;
    long objectsBefore;
};

TEST_F(BaseComTest, AnAggregatedFilterAnswersThroughItsOuterUnknown) {
    IClassFactory* factory = factoryOf(kClsidInvertFilter);
    ASSERT_NE(factory, nullptr);
    Outer outer;
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IBaseFilter, &refused), E_NOINTERFACE);
    EXPECT_EQ(refused, nullptr);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
    factory->Release();

    IBaseFilter* filter = nullptr;
    ASSERT_EQ(outer.inner->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)), S_OK);
    EXPECT_EQ(outer.references, 2);  // the interface's reference is the outer object's
    EXPECT_EQ(outer.queries, 0);

    IMediaFilter* mediaFilter = nullptr;
    EXPECT_EQ(filter->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&mediaFilter)), S_OK);
    EXPECT_EQ(outer.queries, 1);
    IUnknown* identity = nullptr;
    EXPECT_EQ(filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));

    // A pin's references are the filter's, so the outer object's too.
    IPin* pin = nullptr;
    ASSERT_EQ(filter->FindPin(L"XForm In", &pin), S_OK);
    EXPECT_EQ(outer.references, 5);
    pin->Release();
    identity->Release();
    mediaFilter->Release();
    filter->Release();
    EXPECT_EQ(outer.references, 1);

    EXPECT_EQ(outer.inner->Release(), 0u);
    EXPECT_EQ(liveObjectCount(), objectsBefore);
}

TEST_F(BaseComTest, ReferencesGoBackToZeroAndTheModuleMayUnload) {
    IClassFactory* factory = factoryOf(kClsidInvertFilter);
    ASSERT_NE(factory, nullptr);
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&filter)), S_OK);
    EXPECT_EQ(DllCanUnloadNowForModule(), S_FALSE);
    EXPECT_EQ(factory->Release(), 0u);

    IEnumPins* pins = nullptr;
    ASSERT_EQ(filter->EnumPins(&pins), S_OK);
    IPin* both[2] = {};
    ULONG fetched = 0;
    ASSERT_EQ(pins->Next(2, both, &fetched), S_OK);
    IEnumMediaTypes* types = nullptr;
    ASSERT_EQ(both[1]->EnumMediaTypes(&types), S_OK);
    filter->Release();  // the pins and enumerators still hold it
    EXPECT_EQ(DllCanUnloadNowForModule(), S_FALSE);
    types->Release();
    both[0]->Release();
    both[1]->Release();
    EXPECT_EQ(pins->Release(), 0u);

    EXPECT_EQ(liveObjectCount(), objectsBefore);
    // Objects other tests of this process still hold would keep the module.
    if (objectsBefore == 0 && serverLockCount() == 0) EXPECT_EQ(DllCanUnloadNowForModule(), S_OK);
}

TEST_F(BaseComTest, AServerLockKeepsTheModuleUntilItIsTakenBack) {
    IClassFactory* factory = factoryOf(kClsidProbe);
    ASSERT_NE(factory, nullptr);
    const long locksBefore = serverLockCount();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(serverLockCount(), locksBefore + 1);
    EXPECT_EQ(DllCanUnloadNowForModule(), S_FALSE);
    lockServer(false);
    EXPECT_EQ(serverLockCount(), locksBefore);
    if (locksBefore == 0) {
        lockServer(false);  // an unlock too many changes nothing
        EXPECT_EQ(serverLockCount(), 0);
    }
}

TEST_F(BaseComTest, ClassObjectsAreHandedOutOnlyForTheTableAndItsTwoInterfaces) {
    EXPECT_EQ(DllGetClassObjectFromTemplates(kTemplates, kClsidProbe, IID_IClassFactory, nullptr), E_POINTER);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(DllGetClassObjectFromTemplates(kTemplates, kClsidProbe, IID_IBaseFilter, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(DllGetClassObjectFromTemplates(kTemplates, kClsidMissing, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    IUnknown* unknown = nullptr;
    ASSERT_EQ(DllGetClassObjectFromTemplates(kTemplates, kClsidProbe, IID_IUnknown, reinterpret_cast<void**>(&unknown)),
              S_OK);
    IClassFactory* factory = nullptr;
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(unknown->Release(), 0u);
    EXPECT_EQ(liveObjectCount(), objectsBefore);
}

TEST_F(BaseComTest, CreateInstanceReportsEachFailureOfTheCreatorAndLeavesNoObject) {
    IClassFactory* factory = factoryOf(kClsidProbe);
    ASSERT_NE(factory, nullptr);
    const long withFactory = liveObjectCount();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

    const struct {
        CreatorMode mode;
        HRESULT expected;
    } cases[] = {
        {CreatorMode::GiveNull, E_OUTOFMEMORY},
        {CreatorMode::ReportFailure, E_ABORT},
        {CreatorMode::ThrowBadAlloc, E_OUTOFMEMORY},
        {CreatorMode::ThrowOther, E_FAIL},
    };
    for (const auto& c : cases) {
        g_mode = c.mode;
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), c.expected) << int(c.mode);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(liveObjectCount(), withFactory);
    }

    // An interface the object lacks: the new object is deleted again.
    g_mode = CreatorMode::Succeed;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IBaseFilter, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(liveObjectCount(), withFactory);
    factory->Release();
    EXPECT_EQ(liveObjectCount(), objectsBefore);
}

TEST_F(BaseComTest, TheNonDelegatingUnknownRefusesOtherInterfacesAndNullResults) {
    Probe* probe = new Probe(nullptr);
    probe->NonDelegatingAddRef();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(probe->NonDelegatingQueryInterface(IID_IBaseFilter, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(probe->NonDelegatingQueryInterface(IID_IUnknown, nullptr), E_POINTER);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(probe->NonDelegatingQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(unknown, probe->NonDelegatingUnknown());
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(probe->NonDelegatingRelease(), 0u);
    EXPECT_EQ(liveObjectCount(), objectsBefore);
}

}  // namespace
}  // namespace qucap::dshowbase_test
