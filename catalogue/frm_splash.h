#pragma once
// frmSplash: the picture shown while the catalogue starts.
#include <cstdint>

#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmSplash : public forms::Form {
public:
    frmSplash();

    forms::PictureBox pictSplash{this, "pictSplash", 25, 25, 6000, 3600};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 5400, 3000, 480, 480};

protected:
    void Form_Load() override;
    void Form_KeyPress(std::int16_t& KeyAscii) override;
};

}  // namespace catalogue
