#include <gtest/gtest.h>

#include "server_test_support.h"

using namespace zevote::testing;

namespace {

const com::CLSID kControl = com::MakeGuid("{4B27E760-5745-11CF-8918-00A02416C765}");
const com::CLSID kPage = com::MakeGuid("{4CFDDFE0-5745-11CF-8918-00A02416C765}");
const com::IID kIZEVOTest = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");

// An outer object for aggregation: only its identity matters here.
class Outer final : public com::IUnknown {
public:
    com::HRESULT QueryInterface(com::REFIID, void** out) override {
        *out = this;
        return com::S_OK;
    }
    com::ULONG AddRef() override { return ++refs; }
    com::ULONG Release() override { return --refs; }
    com::ULONG refs = 1;
};

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        ASSERT_TRUE(library_.Loaded()) << ControlPath() << ": " << com::LastLoadError();
    }
    com::ComPtr<com::IClassFactory> Factory(const com::CLSID& clsid) {
        com::ComPtr<com::IClassFactory> factory;
        EXPECT_EQ(library_.getClassObject(clsid, com::IID_IClassFactory, factory.Out()), com::S_OK);
        return factory;
    }
    ScopedRegistry registry_;
    ControlLibrary library_;
};

TEST_F(Exports, ClassObjectsOnlyForServedClasses) {
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(library_.getClassObject(com::MakeGuid("{4B27E760-5745-11CF-8918-00A02416C766}"),
                                      com::IID_IClassFactory, &out),
              com::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(library_.getClassObject(kControl, com::IID_IClassFactory, nullptr), com::E_INVALIDARG);
    EXPECT_EQ(library_.getClassObject(kControl, kIZEVOTest, &out), com::E_NOINTERFACE);
    EXPECT_EQ(library_.canUnloadNow(), com::S_OK);  // nothing was left alive

    com::ComPtr<com::IUnknown> unknown;
    EXPECT_EQ(library_.getClassObject(kPage, com::IID_IUnknown, unknown.Out()), com::S_OK);
    EXPECT_TRUE(unknown);
}

TEST_F(Exports, CreationFollowsTheAggregationRules) {
    auto factory = Factory(kControl);
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->CreateInstance(nullptr, kIZEVOTest, nullptr), com::E_INVALIDARG);

    Outer outer;
    void* out = nullptr;
    EXPECT_EQ(factory->CreateInstance(&outer, kIZEVOTest, &out), com::E_INVALIDARG);
    EXPECT_EQ(out, nullptr);

    // Aggregated: the inner unknown comes back, and the control's other
    // interfaces hand their IUnknown calls to the outer object.
    com::IUnknown* inner = nullptr;
    ASSERT_EQ(factory->CreateInstance(&outer, com::IID_IUnknown, reinterpret_cast<void**>(&inner)), com::S_OK);
    ASSERT_NE(inner, nullptr);
    EXPECT_NE(inner, static_cast<com::IUnknown*>(&outer));
    com::IDispatch* test = nullptr;
    ASSERT_EQ(inner->QueryInterface(kIZEVOTest, reinterpret_cast<void**>(&test)), com::S_OK);
    const com::ULONG outerRefs = outer.refs;
    test->AddRef();
    EXPECT_EQ(outer.refs, outerRefs + 1);
    test->Release();
    test->Release();
    inner->Release();

    // Alone: any interface the control has.
    com::ComPtr<com::IDispatch> control;
    EXPECT_EQ(factory->CreateInstance(nullptr, kIZEVOTest, control.Out()), com::S_OK);
    com::ComPtr<com::IOleObject> ole;
    EXPECT_EQ(control->QueryInterface(com::IID_IOleObject, ole.Out()), com::S_OK);

    // The property page cannot be aggregated.
    auto pageFactory = Factory(kPage);
    EXPECT_TRUE(com::FAILED(pageFactory->CreateInstance(&outer, com::IID_IUnknown, &out)));
    com::ComPtr<com::IPropertyPage> page;
    EXPECT_EQ(pageFactory->CreateInstance(nullptr, com::IID_IPropertyPage, page.Out()), com::S_OK);
}

TEST_F(Exports, UnloadWaitsForObjectsAndLocks) {
    EXPECT_EQ(library_.canUnloadNow(), com::S_OK);
    {
        auto factory = Factory(kControl);
        com::ComPtr<com::IUnknown> control;
        ASSERT_EQ(factory->CreateInstance(nullptr, com::IID_IUnknown, control.Out()), com::S_OK);
        factory.Reset();
        EXPECT_EQ(library_.canUnloadNow(), com::S_FALSE);
        control.Reset();
        EXPECT_EQ(library_.canUnloadNow(), com::S_OK);
    }
    {
        auto factory = Factory(kPage);
        com::ComPtr<com::IUnknown> page;
        ASSERT_EQ(factory->CreateInstance(nullptr, com::IID_IUnknown, page.Out()), com::S_OK);
        factory.Reset();
        EXPECT_EQ(library_.canUnloadNow(), com::S_FALSE);
    }
    EXPECT_EQ(library_.canUnloadNow(), com::S_OK);

    auto factory = Factory(kControl);
    factory->LockServer(com::TRUE);
    factory.Reset();
    EXPECT_EQ(library_.canUnloadNow(), com::S_FALSE);
    factory = Factory(kControl);
    factory->LockServer(com::FALSE);
    factory.Reset();
    EXPECT_EQ(library_.canUnloadNow(), com::S_OK);
}

}  // namespace
