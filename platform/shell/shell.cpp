// ole32 and the shell functions of the host layer.
#include "platform/host.h"

using namespace host;

HRESULT CoInitialize(LPVOID)
{
    // The first call on the thread enters the apartment; later ones only count.
    return S().comInits++ == 0 ? S_OK : S_FALSE;
}
