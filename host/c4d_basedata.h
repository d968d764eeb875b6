// BaseData: the base of every plug-in class the host creates or owns.
#ifndef C4D_BASEDATA_H__
#define C4D_BASEDATA_H__

#include "ge_sys_math.h"

class BaseData {
 public:
  BaseData() {}
  virtual ~BaseData(void) {}
  // Kept for plug-ins that call it; destruction runs through the virtual
  // destructor.
  void Destructor(void) {}
};

#endif  // C4D_BASEDATA_H__
