// The shared library's load-time work, seen from a program that links libkyr.so.
#include <gtest/gtest.h>

#include "KYR_kyrbase.h"
#include "KYR_stringl.h"

using namespace KYR_runtime;

namespace {

TEST(LibraryLoad, HooksStartAtZeroAndTheScramblerIsBuilt) {
  // Nothing in this program has touched the library yet: what we see is the load's work.
  EXPECT_EQ(KYR_kyrbase::ProcStat, 0);
  EXPECT_EQ(KYR_kyrbase::LastProcStat, 0);
  EXPECT_FALSE(KYR_kyrbase::AbortMathProc);
  EXPECT_EQ(KYR_kyrbase::MathFeedBackProc, nullptr);

  const uint32_t SeedAfterLoad = RandSeed;
  const String Text = u"Hello, World";
  const String Scrambled = KYR_stringl::Scramble(Text);
  EXPECT_NE(Scrambled, Text);
  EXPECT_EQ(KYR_stringl::DeScramble(Scrambled), Text);

  // The tables and the generator are those of the default seed.
  KYR_stringl::InitScramble(KYR_stringl::DefaultScrambleSeed);
  EXPECT_EQ(RandSeed, SeedAfterLoad);
  EXPECT_EQ(KYR_stringl::Scramble(Text), Scrambled);
}

}  // namespace
