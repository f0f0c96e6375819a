/// \file
/// The embedded browser: the control container, the web view with its script
/// bridge, the browser panel and the browser frame.
#ifndef KELCTRLS_BROWSER_H
#define KELCTRLS_BROWSER_H

#include <kelctrls/base.h>
#include <kelctrls/browser/activex.h>
#include <kelctrls/browser/iehtmlwin.h>
#include <kelctrls/browser/iepanel.h>
#include <kelctrls/browser/ieframe.h>

#endif
