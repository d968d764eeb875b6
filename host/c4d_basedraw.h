// BaseView and BaseDraw: the document's views. Their data is reached through
// parameters only.
#ifndef C4D_BASEDRAW_H__
#define C4D_BASEDRAW_H__

#include "c4d_baselist.h"
#include "description/dbasedraw.h"

class BaseView : public BaseList2D {
 protected:
  BaseView();
  ~BaseView();
};

class BaseDraw : public BaseView {
 public:
  // The parameter id as a value; DA_NIL when the view has none.
  GeData GetParameterData(maxon::Int32 id);

 private:
  using BaseList2D::GetData;
  using BaseList2D::GetDataInstance;
  using BaseList2D::SetData;

  BaseDraw();
  ~BaseDraw();
};

#endif  // C4D_BASEDRAW_H__
