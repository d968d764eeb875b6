// The whole plug-in interface. Takes are not included: include
// c4d_libs/lib_takesystem.h where they are used.
#ifndef C4D_H__
#define C4D_H__

#include "c4d_basebitmap.h"
#include "c4d_basecontainer.h"
#include "c4d_basedata.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baselist.h"
#include "c4d_basematerial.h"
#include "c4d_baseobject.h"
#include "c4d_baseplugin.h"
#include "c4d_basetag.h"
#include "c4d_commanddata.h"
#include "c4d_file.h"
#include "c4d_gedata.h"
#include "c4d_general.h"
#include "c4d_gui.h"
#include "c4d_help.h"
#include "c4d_libs/lib_description.h"
#include "c4d_misc/datastructures/basearray.h"
#include "c4d_misc/memory/defaultallocator.h"
#include "c4d_nodedata.h"
#include "c4d_plugin.h"
#include "c4d_pmain.h"
#include "c4d_resource.h"
#include "c4d_scenehookdata.h"
#include "c4d_string.h"
#include "description/dbasedraw.h"
#include "ge_autoptr.h"
#include "ge_math.h"
#include "ge_prepass.h"
#include "ge_sys_math.h"
#include "gui.h"
#include "operatingsystem.h"

#endif  // C4D_H__
