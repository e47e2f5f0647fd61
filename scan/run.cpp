// The scan run behind the Start/Stop button.
#include "scan/scan.h"

int g_scanning;
