#include "KYR_kyrbase.h"

#include <gtest/gtest.h>

using namespace KYR_kyrbase;

namespace {

// A small library-style class using the shared conventions.
class TSample : public TComponent, public TChangeNotifier<TSample> {
 public:
  using TComponent::TComponent;
  int Value() const { return FValue; }
  void SetValue(int V) {
    FValue = V;
    Changed();
  }
  void Assign(TPersistent* Source) override {
    if (auto* S = dynamic_cast<TSample*>(Source)) {
      FValue = S->FValue;
      return;
    }
    TComponent::Assign(Source);
  }
  void AssignTo(TPersistent* Dest) override {
    if (!AssignToKindOf(this, Dest)) TComponent::AssignTo(Dest);
  }

 private:
  int FValue = 0;
};

class TOther : public TPersistent {};

TEST(KyrBase, HooksAreZeroAfterLoad) {
  InitializeModule();
  EXPECT_EQ(ProcStat, 0);
  EXPECT_EQ(LastProcStat, 0);
  EXPECT_FALSE(AbortMathProc);
  EXPECT_EQ(MathFeedBackProc, nullptr);
  static_assert(sizeof(ProcStat) == 8 && sizeof(LastProcStat) == 8);
}

TEST(KyrBase, ChangedFiresOnlyWhenAssignedWithTheObjectAsSender) {
  TSample S;
  S.SetValue(1);  // no handler: nothing happens
  TObject* Seen = nullptr;
  int Calls = 0;
  S.SetOnChange([&](TObject* Sender) { Seen = Sender, ++Calls; });
  EXPECT_EQ(Calls, 0) << "assigning the handler fires nothing";
  S.SetValue(2);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Seen, &S);
}

TEST(KyrBase, AssignCopiesFromTheSameKindAndRefusesOthers) {
  TSample A, B;
  A.SetValue(7);
  int Calls = 0;
  B.SetOnChange([&](TObject*) { ++Calls; });
  B.Assign(&A);
  EXPECT_EQ(B.Value(), 7);
  EXPECT_EQ(Calls, 0) << "Assign fires no notification";

  TOther O;
  EXPECT_THROW(B.Assign(&O), EConvertError);
  EXPECT_EQ(B.Value(), 7);
  EXPECT_THROW(B.Assign(nullptr), EConvertError);
  // The other direction goes through AssignTo.
  TSample C;
  A.AssignTo(&C);
  EXPECT_EQ(C.Value(), 7);
  EXPECT_THROW(A.AssignTo(&O), EConvertError);
}

TEST(KyrBase, ComponentMessageQuotesTheName) {
  TSample S;
  EXPECT_EQ(ComponentMessage(S, u"not enough memory"), u"Component \"\": not enough memory");
  S.SetName(u"Table1");
  EXPECT_EQ(ComponentMessage(S, u"x"), u"Component \"Table1\": x");
  EKYRError E(ComponentMessage(S, u"x"));
  EXPECT_STREQ(E.what(), "Component \"Table1\": x");
}

TEST(KyrBase, OwnerDeletesOwnedComponents) {
  static int Alive = 0;
  struct TCounted : TComponent {
    explicit TCounted(TComponent* Owner) : TComponent(Owner) { ++Alive; }
    ~TCounted() override { --Alive; }
  };
  {
    TComponent Owner;
    auto* A = new TCounted(&Owner);
    new TCounted(&Owner);
    EXPECT_EQ(Owner.ComponentCount(), 2);
    delete A;  // an owned component may still be freed early
    EXPECT_EQ(Owner.ComponentCount(), 1);
    EXPECT_EQ(Alive, 1);
  }
  EXPECT_EQ(Alive, 0);
}

TEST(KyrBase, RectCornersShareTheFields) {
  TRectDouble R{1, 2, 3, 4};
  EXPECT_EQ(R.TopLeft().X, 1);
  EXPECT_EQ(R.BottomRight().Y, 4);
  R.SetBottomRight({5, 6});
  EXPECT_EQ(R.Right, 5);
  EXPECT_EQ(R.Bottom, 6);
}

}  // namespace
