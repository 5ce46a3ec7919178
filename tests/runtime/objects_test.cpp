#include <gtest/gtest.h>

#include "KYR_runtime.h"

using namespace KYR_runtime;

namespace {

TEST(Exception, MessageIsUtf16AndWhatIsUtf8) {
  EInOutError E(2, u"File not found: \u00e9");
  EXPECT_EQ(E.Message(), u"File not found: \u00e9");
  EXPECT_STREQ(E.what(), "File not found: \xc3\xa9");
  EXPECT_EQ(E.ErrorCode(), 2);
}

TEST(Persistent, DefaultAssignRaisesConvertError) {
  TPersistent A, B;
  try {
    A.Assign(&B);
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Cannot assign a TPersistent to a TPersistent");
  }
}

TEST(Variant, TypeCodesAndConversions) {
  EXPECT_EQ(Variant().VarType(), varEmpty);
  EXPECT_EQ(Variant::Null().VarType(), varNull);
  EXPECT_EQ(Variant(int16_t{1}).VarType(), varSmallint);
  EXPECT_EQ(Variant(1).VarType(), varInteger);
  EXPECT_EQ(Variant(1.5f).VarType(), varSingle);
  EXPECT_EQ(Variant(1.5).VarType(), varDouble);
  EXPECT_EQ(Variant::Currency(1.23456).VarType(), varCurrency);
  EXPECT_EQ(Variant(int8_t{1}).VarType(), varShortInt);
  EXPECT_EQ(Variant(uint8_t{1}).VarType(), varByte);
  EXPECT_EQ(Variant(uint16_t{1}).VarType(), varWord);
  EXPECT_EQ(Variant(uint32_t{1}).VarType(), varLongWord);
  EXPECT_EQ(Variant(int64_t{1}).VarType(), varInt64);
  EXPECT_EQ(Variant(u"x").VarType(), varUString);

  EXPECT_EQ(Variant(42).ToString(), u"42");
  EXPECT_EQ(Variant(2.5).ToString(), u"2.5");
  EXPECT_EQ(Variant(true).ToString(), u"True");
  EXPECT_EQ(Variant().ToString(), u"");
  EXPECT_EQ(Variant(u" 1.5e1").ToDouble(), 15.0);
  EXPECT_EQ(Variant::Currency(1.23456).ToDouble(), 1.2346);
  EXPECT_THROW(Variant(u"abc").ToDouble(), EVariantError);
  EXPECT_THROW(Variant::Null().ToString(), EVariantError);
  EXPECT_TRUE(Variant::Null().IsNull());
  EXPECT_TRUE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant(1) == Variant(int64_t{1}));  // different types
}

TEST(StringList, KeepsOrderAndChecksIndexes) {
  TStringList L;
  EXPECT_EQ(L.Add(u"b"), 0);
  EXPECT_EQ(L.Add(u"a"), 1);
  EXPECT_EQ(L.Count(), 2);
  EXPECT_EQ(L[0], u"b");
  EXPECT_THROW(L[2], EListError);
  EXPECT_THROW(L[-1], EListError);
  EXPECT_EQ(L.IndexOf(u"A"), 1);
  L.SetText(u"x\r\ny\nz\r\r\n");
  ASSERT_EQ(L.Count(), 4);
  EXPECT_EQ(L[2], u"z");
  EXPECT_EQ(L[3], u"");
  EXPECT_EQ(L.Text(), u"x\r\ny\r\nz\r\n\r\n");
  L.Clear();
  EXPECT_EQ(L.Count(), 0);
}

}  // namespace
