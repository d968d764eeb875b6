// Parameter ids: a DescID is a path of DescLevels.
#ifndef LIB_DESCRIPTION_H__
#define LIB_DESCRIPTION_H__

#include "ge_sys_math.h"

struct DescLevel {
  maxon::Int32 id;
  maxon::Int32 dtype;
  maxon::Int32 creator;

  DescLevel(maxon::Int32 t_id) : id(t_id), dtype(0), creator(0) {}
  DescLevel(maxon::Int32 t_id, maxon::Int32 t_datatype, maxon::Int32 t_creator)
      : id(t_id), dtype(t_datatype), creator(t_creator) {}

  Bool operator==(const DescLevel& d) const { return id == d.id; }
  Bool operator!=(const DescLevel& d) const { return !(*this == d); }
};

class DescID {
 public:
  enum { MAX_DEPTH = 8 };

  DescID() : depth_(0), levels_{0, 0, 0, 0, 0, 0, 0, 0} {}
  DescID(const DescID& src) = default;
  DescID(maxon::Int32 id1) : DescID() { PushId(DescLevel(id1)); }
  DescID(const DescLevel& id1) : DescID() { PushId(id1); }
  DescID(const DescLevel& id1, const DescLevel& id2) : DescID() {
    PushId(id1);
    PushId(id2);
  }
  DescID(const DescLevel& id1, const DescLevel& id2, const DescLevel& id3) : DescID() {
    PushId(id1);
    PushId(id2);
    PushId(id3);
  }
  DescID& operator=(const DescID& src) = default;

  maxon::Int32 GetDepth() const { return depth_; }
  // Level pos (0 to GetDepth() - 1); a level with id 0 when out of range.
  const DescLevel& operator[](maxon::Int32 pos) const {
    static const DescLevel none(0);
    return pos >= 0 && pos < depth_ ? levels_[pos] : none;
  }
  void SetId(const DescLevel& subid) {
    depth_ = 0;
    PushId(subid);
  }
  // Ids deeper than MAX_DEPTH levels are not kept.
  void PushId(const DescLevel& subid) {
    if (depth_ < MAX_DEPTH) levels_[depth_++] = subid;
  }
  void PopId() {
    if (depth_ > 0) --depth_;
  }

  Bool operator==(const DescID& d) const {
    if (depth_ != d.depth_) return false;
    for (maxon::Int32 i = 0; i < depth_; ++i) {
      if (levels_[i] != d.levels_[i]) return false;
    }
    return true;
  }
  Bool operator!=(const DescID& d) const { return !(*this == d); }

 private:
  maxon::Int32 depth_;
  DescLevel levels_[MAX_DEPTH];
};

#endif  // LIB_DESCRIPTION_H__
