// TGrep's pattern compiler, its error messages and the component's properties.
#include <algorithm>

#include "grep_matcher.h"
#include "hex_reader.h"

namespace KYR_stringl {
namespace {

// Replaces every "\#" whose backslash is not preceded by another backslash, and the up to
// two characters after it, by the character whose code they give in hexadecimal. The
// leftmost such escape is always resolved first, and a character produced by one escape
// may form the next one with its neighbours ("\#5C#41" gives "A"). One pass: after each
// replacement only the produced character and a backslash before it are looked at again.
String ResolveHexEscapes(const String& Pattern) {
  String In = Pattern;
  String Out;
  Out.reserve(In.size());
  size_t J = 0;
  while (J < In.size()) {
    const Char C = In[J];
    const bool Escape = C == u'\\' && J + 1 < In.size() && In[J + 1] == u'#' &&
                        (Out.empty() || Out.back() != u'\\');
    if (!Escape) {
      Out.push_back(C);
      ++J;
      continue;
    }
    const size_t Take = std::min<size_t>(4, In.size() - J);
    int32_t Pos = 1;
    const uint32_t Value = ReadHexValue(In.substr(J + 2, Take - 2), Pos);
    J += Take;
    In[--J] = static_cast<Char>(Value);  // at most two digits: 0 to 255
    if (!Out.empty() && Out.back() == u'\\') {
      In[--J] = u'\\';
      Out.pop_back();
    }
  }
  return Out;
}

// The pattern compiler: reads the pattern left to right with a state machine and
// appends tokens. It stops at the first error; the tokens built up to it stay.
class TCompiler {
 public:
  TCompiler(TRegExp& Tokens, int32_t& Count) : FTokens(Tokens), FCount(Count) {}

  int32_t Run(const String& P);
  uint64_t NegatedSets() const { return FNegatedSets; }

 private:
  enum class TState {
    Start,
    AfterElement,
    SetBegins,
    InSet,
    AfterSet,
    InGroup,
    AfterGroup,
    AfterEnd
  };

  TGrepToken& Current() { return FTokens[FCount - 1]; }
  void Fail(int32_t Code) { FError = Code; }
  // The character after a backslash, consuming it; a backslash that ends the pattern
  // stands for itself.
  Char Quoted() { return FI < FP->size() ? (*FP)[FI++] : u'\\'; }

  bool NewToken(TGrepTokenAct Kind);
  void NewLiteral(Char C);
  void AppendChar(Char C);  // to the current token's string
  void AppendLiteral(Char C);
  void NewSet();
  void AddMember(Char C);
  void AddRange(Char End);
  void CloseSet();
  void Quantify(TGrepTokenAct Kind);
  void QuantifyGroup(TGrepTokenAct Kind);

  void StepStart(Char C);
  void StepAfterElement(Char C);
  void StepSetBegins(Char C);
  void StepInSet(Char C);
  void StepAfterSet(Char C);
  void StepInGroup(Char C);
  void StepAfterGroup(Char C);

  TRegExp& FTokens;
  int32_t& FCount;
  const String* FP = nullptr;
  size_t FI = 0;
  int32_t FError = 0;
  TState FState = TState::Start;
  bool FNegate = false;     // the open set is negated when it closes
  bool FSetEmpty = true;    // the open set has no member yet
  Char FLastMember = u'A';  // where a following range starts
  uint64_t FNegatedSets = 0;
};

TGrepTokenAct QuantifierKind(Char C) {
  return C == u'*' ? taMult0 : C == u'+' ? taMult1 : taOpti;
}

bool IsQuantifier(Char C) {
  return C == u'*' || C == u'+' || C == u'?';
}

bool TCompiler::NewToken(TGrepTokenAct Kind) {
  if (FCount >= static_cast<int32_t>(FTokens.size())) {
    Fail(greTooManyTokens);
    return false;
  }
  ++FCount;
  TGrepToken& T = Current();
  T = TGrepToken{};
  T.Action = Kind;
  return true;
}

void TCompiler::NewLiteral(Char C) {
  if (NewToken(taNormal)) AppendChar(C);
}

void TCompiler::AppendChar(Char C) {
  TGrepToken& T = Current();
  if (T.NumChars >= 255) return Fail(greStringTooLong);
  T.Params[++T.NumChars] = C;
}

void TCompiler::AppendLiteral(Char C) {
  if (Current().Action == taNormal) return AppendChar(C);
  NewLiteral(C);
}

void TCompiler::NewSet() {
  if (!NewToken(taSet)) return;
  TGrepToken& T = Current();
  T.NumChars = -1;
  T.Params.fill(u' ');
  FNegate = false;
  FSetEmpty = true;
}

void TCompiler::AddMember(Char C) {
  if (C > 255) return Fail(greSetMemberTooHigh);
  Current().Params[C] = u'*';
  FLastMember = C;
  FSetEmpty = false;
}

// Every code between the last member and End becomes a member; the higher end is then
// the last member.
void TCompiler::AddRange(Char End) {
  if (End > 255) return Fail(greSetMemberTooHigh);
  const Char Lo = std::min(FLastMember, End);
  const Char Hi = std::max(FLastMember, End);
  for (Char C = Lo; C <= Hi; ++C) Current().Params[C] = u'*';
  FLastMember = Hi;
}

void TCompiler::CloseSet() {
  if (FNegate) {
    for (Char& E : Current().Params) E = E == u'*' ? u' ' : u'*';
    FNegatedSets |= uint64_t{1} << (FCount - 1);
  }
  FState = TState::AfterSet;
}

// A quantifier after a literal, a set or the dot; after a run of literals it applies to
// the last character only.
void TCompiler::Quantify(TGrepTokenAct Kind) {
  TGrepToken& T = Current();
  switch (T.Action) {
    case taNormal:
      if (T.NumChars > 1) {
        const Char Last = T.Params[T.NumChars];
        T.Params[T.NumChars--] = 0;
        if (!NewToken(Kind)) return;
        Current().NumChars = 1;
        Current().Params[1] = Last;
      } else {
        T.Action = Kind;
      }
      return;
    case taSet:
      T.Action = Kind;
      T.NumChars = -1;
      return;
    case taAnyByte:
      T.Action = Kind;
      T.NumChars = 0;
      return;
    default:
      return Fail(greQuantifier);
  }
}

// A quantifier after a group takes the whole group string as its unit; an empty group
// stands for any character.
void TCompiler::QuantifyGroup(TGrepTokenAct Kind) {
  TGrepToken& T = Current();
  if (T.Action != taNormal) return Fail(greQuantifier);
  T.Action = Kind;
}

void TCompiler::StepStart(Char C) {
  switch (C) {
    case u'$':
    case u'*':
    case u'+':
    case u'?':
      return Fail(greBadStart);
    case u'(':
      if (NewToken(taNormal)) FState = TState::InGroup;
      return;
    case u')':
      return Fail(greGroupBrackets);
    case u'.':
      NewToken(taAnyByte);
      break;
    case u'[':
      NewSet();
      FState = TState::SetBegins;
      return;
    case u'\\':
      NewLiteral(Quoted());
      break;
    case u']':
      return Fail(greSetBrackets);
    case u'^':
      NewToken(taBol);
      break;
    default:
      NewLiteral(C);
      break;
  }
  FState = TState::AfterElement;
}

void TCompiler::StepAfterElement(Char C) {
  switch (C) {
    case u'$':
      NewToken(taEol);
      FState = TState::AfterEnd;
      return;
    case u'(':
      NewToken(taNormal);
      FState = TState::InGroup;
      return;
    case u')':
      return Fail(greGroupBrackets);
    case u'*':
    case u'+':
    case u'?':
      return Quantify(QuantifierKind(C));
    case u'.':
      NewToken(taAnyByte);
      return;
    case u'[':
      NewSet();
      FState = TState::SetBegins;
      return;
    case u'\\':
      return AppendLiteral(Quoted());
    case u']':
      return Fail(greSetBrackets);
    case u'^':
      return Fail(greCircumflex);
    default:
      return AppendLiteral(C);
  }
}

void TCompiler::StepSetBegins(Char C) {
  FState = TState::InSet;
  switch (C) {
    case u'-':
      return Fail(greMinus);
    case u']':
      return Fail(greEmptySet);
    case u'^':
      FNegate = true;
      return;
    case u'\\':
      return AddMember(Quoted());
    default:
      return AddMember(C);
  }
}

void TCompiler::StepInSet(Char C) {
  switch (C) {
    case u'-':
      // A range needs a member to start from: "[^-" is as wrong as "[-".
      if (FSetEmpty) return Fail(greMinus);
      // The other end is taken literally; a pattern ending here leaves the set open.
      if (FI < FP->size()) AddRange((*FP)[FI++]);
      return;
    case u']':
      return CloseSet();
    case u'^':
      return Fail(greCircumflexInSet);
    case u'\\':
      return AddMember(Quoted());
    default:
      return AddMember(C);
  }
}

void TCompiler::StepAfterSet(Char C) {
  if (IsQuantifier(C)) return Quantify(QuantifierKind(C));
  switch (C) {
    case u'-':
      return Fail(greMinus);
    default:
      return StepAfterGroup(C);
  }
}

void TCompiler::StepInGroup(Char C) {
  switch (C) {
    case u')':
      FState = TState::AfterGroup;
      return;
    case u'^':
      return Fail(greCircumflex);
    case u'\\':
      return AppendChar(Quoted());
    default:
      return AppendChar(C);
  }
}

// Also serves the state after a set, which differs only for quantifiers and the minus.
void TCompiler::StepAfterGroup(Char C) {
  switch (C) {
    case u'$':
      NewToken(taEol);
      FState = TState::AfterEnd;
      return;
    case u'(':
      // A group after a group is a token of its own, so that a quantifier on the
      // first one keeps its unit.
      NewToken(taNormal);
      FState = TState::InGroup;
      return;
    case u')':
      return Fail(greGroupBrackets);
    case u'*':
    case u'+':
    case u'?':
      return QuantifyGroup(QuantifierKind(C));
    case u'.':
      NewToken(taAnyByte);
      break;
    case u'[':
      NewSet();
      FState = TState::SetBegins;
      return;
    case u'\\':
      NewLiteral(Quoted());
      break;
    case u']':
      return Fail(greSetBrackets);
    case u'^':
      return Fail(greCircumflex);
    default:
      NewLiteral(C);
      break;
  }
  FState = TState::AfterElement;
}

int32_t TCompiler::Run(const String& P) {
  FP = &P;
  while (FI < P.size() && FError == 0) {
    const Char C = P[FI++];
    switch (FState) {
      case TState::Start:
        StepStart(C);
        break;
      case TState::AfterElement:
        StepAfterElement(C);
        break;
      case TState::SetBegins:
        StepSetBegins(C);
        break;
      case TState::InSet:
        StepInSet(C);
        break;
      case TState::AfterSet:
        StepAfterSet(C);
        break;
      case TState::InGroup:
        StepInGroup(C);
        break;
      case TState::AfterGroup:
        StepAfterGroup(C);
        break;
      case TState::AfterEnd:
        Fail(greAfterEnd);
        break;
    }
  }
  // A pattern must not end inside a set or a group.
  if (FError == 0 && (FState == TState::SetBegins || FState == TState::InSet)) Fail(greSetBrackets);
  if (FError == 0 && FState == TState::InGroup) Fail(greGroupBrackets);
  return FError;
}

}  // namespace

TGrep::TGrep(TComponent* AOwner) : TComponent(AOwner), FMatcher(std::make_unique<TMatcher>()) {}

TGrep::~TGrep() = default;

String TGrep::ErrorMessage(int32_t Code) {
  switch (Code) {
    case greNoError:
      return u"no errors";
    case greBadStart:
      return u"reg.exp. must not start with $, *, ?, or +";
    case greCircumflex:
      return u"circumflex not allowed here";
    case greAfterEnd:
      return u"no character allowed after end of line";
    case greEmptySet:
      return u"empty set";
    case greCircumflexInSet:
      return u"circumflex has to be quoted in set";
    case greSetBrackets:
      return u"mismatch of set brackets";
    case greMinus:
      return u"minus not allowed here";
    case greGroupBrackets:
      return u"mismatch of group brackets";
    case greQuantifier:
      return u"*, ?, + have to be applied to groups or sets only";
    case greTooManyTokens:
      return u"reg.exp. needs more than 64 tokens";
    case greStringTooLong:
      return u"string or group longer than 255 characters";
    case greSetMemberTooHigh:
      return u"set member above character code 255";
    default:
      return String();
  }
}

int32_t TGrep::CompileRegExp(const String& Pattern) {
  const String P = ResolveHexEscapes(FIgnoreCase ? LowerCase(Pattern) : Pattern);
  FLengRegExp = 0;
  FregExp.fill(TGrepToken{});
  TCompiler Compiler(FregExp, FLengRegExp);
  FError = Compiler.Run(P);
  FMatcher->Build(FregExp, FLengRegExp, FIgnoreCase, Compiler.NegatedSets());
  return FError;
}

void TGrep::SetRegExp(const String& Value) {
  FRegExpStr = Value;
  if (CompileRegExp(Value) != 0 && FStopOnError)
    throw EKYRStringlError(KYR_kyrbase::ComponentMessage(
        *this, u"error in regular expression - " + ErrorMessage(FError)));
}

void TGrep::SetIgnoreCase(bool Value) {
  FIgnoreCase = Value;
  CompileRegExp(FRegExpStr);
}

TGrepToken TGrep::GetRegExpToken(int32_t regix) const {
  const int32_t Index = std::max(std::min(regix, FLengRegExp), 1);
  return FregExp[Index - 1];
}

}  // namespace KYR_stringl
