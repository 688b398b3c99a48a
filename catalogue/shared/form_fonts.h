#pragma once
// Every form, when it loads, gives each of its controls the font of the
// user's default locale.

namespace forms {
class Form;
}

namespace orvanta {

// Applies SetFontForLocale to the font of each control of `form`, in the
// order of its controls collection, passing over errors (controls without a
// font). The form's own font is left alone.
void SetFontsForLocale(forms::Form& form);

}  // namespace orvanta
