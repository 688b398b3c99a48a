#pragma once
// Everything a program's forms use.
#include "activex_host.h"
#include "application.h"
#include "check_box.h"
#include "combo_box.h"
#include "command_button.h"
#include "control.h"
#include "control_array.h"
#include "font.h"
#include "form.h"
#include "frame.h"
#include "image.h"
#include "label.h"
#include "line_shape.h"
#include "list_box.h"
#include "mdi_form.h"
#include "menu.h"
#include "msgbox.h"
#include "option_button.h"
#include "picture.h"
#include "picture_box.h"
#include "screen.h"
#include "text_box.h"
#include "timer.h"
#include "twips.h"
#include "user_control.h"

// The platform's controls, in files of their own.
#if __has_include("treeview.h")
#include "treeview.h"
#endif
#if __has_include("imagelist.h")
#include "imagelist.h"
#endif
#if __has_include("tabstrip.h")
#include "tabstrip.h"
#endif
#if __has_include("statusbar.h")
#include "statusbar.h"
#endif
#if __has_include("flexgrid.h")
#include "flexgrid.h"
#endif
#if __has_include("dbgrid.h")
#include "dbgrid.h"
#endif
#if __has_include("datacontrol_widget.h")
#include "datacontrol_widget.h"
#endif
#if __has_include("bound_controls.h")
#include "bound_controls.h"
#endif
#include "dbcombo.h"
#include "richtextbox.h"
#include "sstab.h"
