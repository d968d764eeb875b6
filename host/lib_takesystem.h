// Plug-ins include the take header by its bare name, as with the host's own
// include path (which lists c4d_libs/).
#include "c4d_libs/lib_takesystem.h"
