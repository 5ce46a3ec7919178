#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "KYR_streams.h"
#include "KYR_univconst.h"
#include "TempDir.h"
#include "stream_kinds.h"

namespace {

using namespace KYR_streams;
using streams_test::AllKinds;
using streams_test::KindName;
using streams_test::MakeStream;

const double MaxD = static_cast<double>(KYR_univconst::uc_MaxDouble);

TEST(ScanStreamDecimal, NumbersAndWhatEndsThem) {
  struct Case {
    std::string Bytes;
    int32_t Value;
    int64_t After;  // -1: the end of the stream
  } Cases[] = {
      {"  -42x", -42, 6},
      {"\t5", 0, 1},  // a tab is not skipped: it ends the (empty) number
      {"\r\n 17", 17, -1},
      {"+8 9", 8, 3},
      {"", 0, -1},
      {"-", 0, -1},
      {"x12", 0, 1},
      {std::string("\0"
                   "3",
                   2),
       0, 1},
      {"\xb3"
       "3",
       0, 1},
      // The value wraps modulo 2^32.
      {"2147483648", std::numeric_limits<int32_t>::min(), -1},
      {"4294967301;", 5, 11},
      {"-4294967295", 1, -1},
      // A megabyte of digits: 10^k is 0 modulo 2^32 from k = 32 on.
      {"7" + std::string(1 << 20, '0') + "5", 5, -1},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " " << C.Bytes.substr(0, 12));
      auto S = MakeStream(Kind, C.Bytes, Dir);
      EXPECT_EQ(ScanStreamDecimal(*S), C.Value);
      EXPECT_EQ(S->Position(), C.After < 0 ? static_cast<int64_t>(C.Bytes.size()) : C.After);
    }
  }
}

TEST(ScanStreamFPNum, GrammarSeparatorsAndExponents) {
  struct Case {
    std::string Bytes;
    bool Exp;
    int32_t Mode;
    double Value;
    int64_t After;  // -1: the end of the stream
  } Cases[] = {
      {"1,5", true, dsEither, 1.5, -1},
      {"1,5", true, dsFullStop, 1, 2},
      {"1.5", true, dsComma, 1, 2},
      {"2.5", true, 0, 2, 2},
      {"1e3", true, dsFullStop, 1000, -1},
      {"1e3", false, dsFullStop, 1, 2},
      {"2.5E-2;", true, dsFullStop, 0.025, 7},
      {"7", true, dsFullStop, 7, -1},
      {".5", true, dsFullStop, 0.5, -1},
      {"5.", true, dsFullStop, 5, -1},
      {"-.5x", true, dsFullStop, -0.5, 4},
      {"+3", true, dsFullStop, 3, -1},
      {" \t\r\n3.25x", true, dsFullStop, 3.25, -1},
      {"12-3", true, dsFullStop, 12, 3},
      {"0.1", true, dsFullStop, 0.1, -1},
      // Malformed: 0, with the offending byte consumed.
      {"- 5", true, dsFullStop, 0, 2},
      {"1.2.3", true, dsFullStop, 0, 4},
      {"1e", true, dsFullStop, 0, -1},
      {"1e+x", true, dsFullStop, 0, 4},
      {"x1", true, dsFullStop, 0, 1},
      {"", true, dsFullStop, 0, -1},
      {std::string("\0"
                   "1",
                   2),
       true, dsFullStop, 0, 1},
      {std::string("3\0", 2), true, dsFullStop, 3, -1},
      {"\xe9"
       "5",
       true, dsFullStop, 0, 1},
      // Clamping and the exponent cap.
      {"1E5000", true, dsFullStop, MaxD, -1},
      {"-1E5000", true, dsFullStop, -MaxD, -1},
      {"1E-5000", true, dsFullStop, 0, -1},
      {"1E4201", true, dsFullStop, MaxD, -1},
      {"1.75e308", true, dsFullStop, MaxD, -1},
      {"-1.75e308", true, dsFullStop, -MaxD, -1},
      {"1.69e308", true, dsFullStop, 1.69e308, -1},
      {"1E-00000000000000000005", true, dsFullStop, 1e-5, -1},
      {"4.9406564584124654e-324", true, dsFullStop, std::numeric_limits<double>::denorm_min(), -1},
      {"2e-324", true, dsFullStop, 0, -1},
      // Correct rounding: a tie goes to even unless later digits break it.
      {"9007199254740993", true, dsFullStop, 9007199254740992.0, -1},
      {"9007199254740993" + std::string(1000, '0') + "1E-1001", true, dsFullStop,
       9007199254740994.0, -1},
  };
  kyr_test::TempDir Dir;
  for (const Case& C : Cases) {
    for (auto Kind : AllKinds) {
      SCOPED_TRACE(::testing::Message() << KindName(Kind) << " " << C.Bytes.substr(0, 24));
      auto S = MakeStream(Kind, C.Bytes, Dir);
      EXPECT_EQ(ScanStreamFPNum(*S, C.Exp, C.Mode), C.Value);
      EXPECT_EQ(S->Position(), C.After < 0 ? static_cast<int64_t>(C.Bytes.size()) : C.After);
    }
  }
}

TEST(ScanStreamFPNum, MegabytesOfDigits) {
  const std::string Ones(1 << 20, '1');
  struct Case {
    std::string Bytes;
    double Value;
  } Cases[] = {
      {"1" + std::string(1 << 20, '0'), MaxD},
      {"0." + std::string(1 << 20, '0') + "1", 0},
      {"0." + std::string(1 << 20, '3'), 1.0 / 3},
      {"-" + std::string(1 << 20, '0') + "2.5", -2.5},
      // The exponent keeps three digits (999); the mantissa is still about 1e1048575.
      {Ones + "e-999999", MaxD},
      {"1e" + std::string(1 << 20, '9'), MaxD},
      {"1e-" + std::string(1 << 20, '0') + "3", 0.001},
  };
  for (const Case& C : Cases) {
    auto S = TStringStream::FromBytes(C.Bytes);
    EXPECT_EQ(ScanStreamFPNum(*S, true, dsFullStop), C.Value) << C.Bytes.substr(0, 12);
    EXPECT_EQ(S->Position(), static_cast<int64_t>(C.Bytes.size()));
  }
}

TEST(ScanStreamFPNum, ConsecutiveNumbersInAFile) {
  kyr_test::TempDir Dir;
  std::string Bytes;
  for (int I = 0; I < 5000; ++I) Bytes += std::to_string(I) + ".5\r\n";
  auto S = MakeStream(streams_test::TKind::File, Bytes, Dir);
  for (int I = 0; I < 5000; ++I) ASSERT_EQ(ScanStreamFPNum(*S, true, dsFullStop), I + 0.5);
  // The CR that ended the last number was consumed, its LF is left.
  EXPECT_EQ(S->Position(), static_cast<int64_t>(Bytes.size()) - 1);
}

}  // namespace
