// shell32, shlwapi and ole32 of the host layer.
#pragma once
#include "platform/wintypes.h"

HRESULT CoInitialize(LPVOID reserved);
