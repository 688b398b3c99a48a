// GUIDs, BSTRs, VARIANTs and extent conversions.
#include <gtest/gtest.h>

#include "automation.h"
#include "guid.h"
#include "ole_interfaces.h"

using namespace com;

TEST(Guid, ParsesComparesAndWritesItsText) {
    const auto g = ParseGuid("{48b33de0-5745-11cf-8918-00a02416c765}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Data1, 0x48B33DE0u);
    EXPECT_EQ(g->Data2, 0x5745);
    EXPECT_EQ(g->Data3, 0x11CF);
    EXPECT_EQ(g->Data4[0], 0x89);
    EXPECT_EQ(g->Data4[7], 0x65);
    EXPECT_EQ(GuidToString(*g), "{48B33DE0-5745-11CF-8918-00A02416C765}");
    EXPECT_TRUE(*g == MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}"));
    EXPECT_FALSE(*g == MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C766}"));
    EXPECT_TRUE(MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C766}") < MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C767}") ||
                MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C767}") < MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C766}"));
    EXPECT_EQ(GuidToString(IID_IOleControlSite), "{B196B289-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(GuidToString(IID_NULL), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Guid, RejectsMalformedText) {
    for (const char* text : {"48B33DE0-5745-11CF-8918-00A02416C765", "{48B33DE0-5745-11CF-8918-00A02416C76}",
                             "{48B33DE0-5745-11CF-8918-00A02416C7655}", "{48B33DE0x5745-11CF-8918-00A02416C765}",
                             "{48B33DE0-5745-11CF-8918-00A02416C76G}", "{48B33DE-05745-11CF-8918-00A02416C765}", ""}) {
        EXPECT_FALSE(ParseGuid(text)) << text;
    }
}

TEST(Automation, BstrKeepsItsLengthAndConvertsUtf8) {
    BSTR b = SysAllocStringUtf8("Grüße \xF0\x9F\x8E\xB5");
    EXPECT_EQ(SysStringLen(b), 8u);  // the note is a surrogate pair
    EXPECT_EQ(BstrToUtf8(b), "Grüße \xF0\x9F\x8E\xB5");
    SysFreeString(b);
    BSTR zeros = SysAllocStringLen(nullptr, 3);
    EXPECT_EQ(SysStringLen(zeros), 3u);
    EXPECT_EQ(zeros[0], 0);
    SysFreeString(zeros);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(BstrToUtf8(nullptr), "");
    SysFreeString(nullptr);
}

namespace {
struct Counted : IDispatch {
    int refs = 1;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
};
}  // namespace

TEST(Automation, VariantCopyAndClearOwnTheirValues) {
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocStringUtf8("abc");
    VARIANT copy;
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    EXPECT_NE(copy.bstrVal, text.bstrVal);
    EXPECT_EQ(BstrToUtf8(copy.bstrVal), "abc");
    VariantClear(&text);
    EXPECT_EQ(text.vt, VT_EMPTY);
    EXPECT_EQ(BstrToUtf8(copy.bstrVal), "abc");
    VariantClear(&copy);

    Counted object;
    VARIANT d;
    d.vt = VT_DISPATCH;
    d.pdispVal = &object;
    VARIANT d2;
    VariantCopy(&d2, &d);
    EXPECT_EQ(object.refs, 2);
    VariantClear(&d2);
    EXPECT_EQ(object.refs, 1);
}

TEST(Automation, ExtentsConvertBetweenPixelsAndHimetric) {
    EXPECT_EQ(PixelsToHimetric(0), 0);
    EXPECT_EQ(PixelsToHimetric(96), 2540);
    EXPECT_EQ(PixelsToHimetric(38), 1005);
    EXPECT_EQ(HimetricToPixels(2540), 96);
    EXPECT_EQ(HimetricToPixels(PixelsToHimetric(38)), 38);
    EXPECT_EQ(HimetricToPixels(13), 0);
    EXPECT_EQ(HimetricToPixels(14), 1);
}
