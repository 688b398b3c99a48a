#pragma once
// The control's dual interface, as the control implements it and as its
// clients call it: the seven IUnknown/IDispatch operations, then AboutBox.
#include "com.h"

namespace zevote {

struct IZEVOTest : com::IDispatch {
    virtual com::HRESULT AboutBox() = 0;
};

}  // namespace zevote
