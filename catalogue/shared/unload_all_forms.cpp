#include "unload_all_forms.h"

#include <algorithm>

#include "application.h"
#include "form.h"

namespace orvanta {

void UnloadAllForms() {
    for (forms::Form* form : forms::Forms()) {
        // An earlier unload (or a nested run of this procedure) may have
        // taken this form already.
        const auto loaded = forms::Forms();
        if (std::find(loaded.begin(), loaded.end(), form) == loaded.end()) continue;
        if (!form->IsLoaded() || form->IsUnloading()) continue;
        forms::Unload(*form);
    }
}

}  // namespace orvanta
