// The exception class of the data-structure module.
#pragma once

#include "KYR_kyrbase.h"

namespace KYR_dstruct {

// Raised by the data structures for construction or resizing without memory, a string
// pool that cannot grow any further, and cells that do not hold a number.
class EKYRDStructError : public KYR_kyrbase::EKYRError {
 public:
  using EKYRError::EKYRError;
};

}  // namespace KYR_dstruct
