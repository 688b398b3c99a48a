#include "form_fonts.h"

#include "err.h"
#include "form.h"
#include "locale_font.h"

namespace orvanta {

void SetFontsForLocale(forms::Form& form) {
    for (forms::Control* control : form.Controls()) {
        vb::ResumeNext([&] { SetFontForLocale(control->FontObject()); });
    }
}

}  // namespace orvanta
