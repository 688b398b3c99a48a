#pragma once
// The orderly end of a program: every loaded form is unloaded; when the last
// one is gone the program ends.

namespace orvanta {

// Unloads each loaded form in load order. Safe when entered again from a
// form's QueryUnload or Unload handler: a form that is already gone or on
// its way out is passed over.
void UnloadAllForms();

}  // namespace orvanta
