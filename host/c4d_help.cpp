// Help callbacks: this host interface offers no way to register one, so the
// frame's list is always empty and there is nothing to free.
#include "c4d_help.h"

#ifndef C4D_API_R14
void FreeHelpDelegates() {}
#endif
