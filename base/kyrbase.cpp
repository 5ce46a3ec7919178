// The shared part of KYR_kyrbase: hooks, message pattern and load-time work.
#include "KYR_kyrbase.h"

namespace KYR_kyrbase {

constinit double ProcStat = 0;
constinit double LastProcStat = 0;
constinit bool AbortMathProc = false;
constinit FeedBackProcType MathFeedBackProc = nullptr;

String ComponentMessage(const TComponent& Component, const String& Detail) {
  return u"Component \"" + Component.Name() + u"\": " + Detail;
}

void InitializeModule() {
  ProcStat = 0;
}

}  // namespace KYR_kyrbase
