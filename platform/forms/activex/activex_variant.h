#pragma once
// Values between the forms runtime and automation: vb::Variant <-> VARIANT,
// and a late-bound object over an IDispatch.
#include "automation.h"
#include "variant.h"

namespace forms::detail {

// Empty, Boolean, Integer/Long (VT_I4), String (VT_BSTR) and objects made
// from an IDispatch; other numbers go as VT_I4. The caller clears *out.
void ToVariantArg(const vb::Variant& value, com::VARIANT* out);
// VT_EMPTY, VT_NULL, VT_BOOL, VT_I2, VT_I4, VT_BSTR, VT_DISPATCH.
vb::Variant FromVariantArg(const com::VARIANT& value);

// A vb::Object whose members are the dispatch interface's: unknown names
// raise error 438, failed calls error 440 ("Automation error").
vb::ObjectRef DispatchObject(com::IDispatch* dispatch);

}  // namespace forms::detail
