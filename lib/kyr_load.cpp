// Load-time initialisation of the shared library: the modules' start-up work in their
// fixed order (univconst, kyrbase, kyrcolors, stringl, streams, htmlsupport, dstruct,
// cpuid, filesys). Only kyrbase and stringl have work to do; the others hold only
// constant-initialised state. The dynamic loader runs this once per process however
// often the library is opened.
#include "KYR_kyrbase.h"
#include "KYR_stringl_words.h"

namespace {

[[gnu::constructor]] void LoadKyr() {
  KYR_kyrbase::InitializeModule();
  KYR_stringl::InitializeModule();
}

}  // namespace
