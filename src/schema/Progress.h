#pragma once

#include "schema/Gauge.h"
#include "schema/Label.h"

namespace schema {

// The progress display of a run: the overall gauge, the step gauge, and the labels of the
// current table (or object) and the current column.
struct Progress {
  static constexpr const char* kTableLabelInitial = "نام جدول";
  static constexpr const char* kFieldLabelInitial = "نام فيلد";

  Gauge overall;  // one tick per table step, conversion pass and reporting object step
  Gauge step;     // one tick per column primitive
  Label table{kTableLabelInitial};
  Label field{kFieldLabelInitial};
};

}  // namespace schema
