// The host layer's stand-in for the Windows headers: the subset of the API the program uses.
#pragma once
#include "platform/wintypes.h"
#include "platform/winuser.h"
#include "platform/wingdi.h"
#include "platform/winkernel.h"
#include "platform/winshell.h"
