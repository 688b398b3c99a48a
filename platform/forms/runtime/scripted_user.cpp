#include "scripted_user.h"

namespace forms {

namespace {
ScriptedUser* g_user = nullptr;
}  // namespace

void SetScriptedUser(ScriptedUser* user) { g_user = user; }

ScriptedUser* CurrentScriptedUser() { return g_user; }

}  // namespace forms
