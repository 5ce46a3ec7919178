// Internal: running an action and turning any exception it raises into a result.
#pragma once

#if defined(__GLIBCXX__)
#include <cxxabi.h>
#endif

namespace KYR_streams::detail {

// Runs Action; true when it completed, false when it raised. Thread cancellation is
// not an error and passes through.
template <class F>
bool CatchAll(F&& Action) {
  try {
    Action();
    return true;
#if defined(__GLIBCXX__)
  } catch (abi::__forced_unwind&) {
    throw;
#endif
  } catch (...) {
    return false;
  }
}

}  // namespace KYR_streams::detail
