/// \file
/// The skinned controls and their XRC handlers, the chat tab art, the tab and
/// shortcut configuration and the shortcut bar.
#ifndef KELCTRLS_CONTROLS_H
#define KELCTRLS_CONTROLS_H

#include <kelctrls/base.h>
#include <kelctrls/controls/tabconfig.h>
#include <kelctrls/controls/bitmapctrl.h>
#include <kelctrls/controls/splitterbutton.h>
#include <kelctrls/controls/tabart.h>
#include <kelctrls/controls/shortcut.h>

#include <kelctrls/controls/bitmapbutton.h>
#include <kelctrls/controls/border.h>
#include <kelctrls/controls/checkbox.h>
#include <kelctrls/controls/filetransferlink.h>
#include <kelctrls/controls/gauge.h>
#include <kelctrls/controls/linktext.h>
#include <kelctrls/controls/statictext.h>

#endif
