// Stream primitives: text, lines, binary numbers, counting and searching.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "KYR_streams_primitives.h"
#include "streams_bytes.h"
#include "streams_bytesource.h"
#include "streams_guard.h"

namespace KYR_streams {

using detail::TByteSource;

// --- Text ------------------------------------------------------------------------------

namespace {

// Collects bytes and writes them with one WriteBuffer call per 4096.
class TWriteBuffer {
 public:
  explicit TWriteBuffer(TStream& Stream) : FStream(Stream) {}
  void Put(uint8_t B) {
    if (FLen == FBuf.size()) Flush();
    FBuf[FLen++] = B;
  }
  void PutText(const String& S) {
    for (Char C : S) Put(static_cast<uint8_t>(C & 0xFF));
  }
  void Flush() {
    if (FLen > 0) FStream.WriteBuffer(FBuf.data(), static_cast<int32_t>(FLen));
    FLen = 0;
  }

 private:
  TStream& FStream;
  std::array<uint8_t, 4096> FBuf;
  size_t FLen = 0;
};

bool EndsLine(int32_t Mode, uint8_t B, uint8_t Prev) {
  switch (Mode) {
    case 0:
      return B == 10;
    case 1:
      return B == 13;
    case 2:
      return B == 10 || B == 13;
    case 3:
      return B == 13 && Prev == 10;
    case 4:
      return B == 10 && Prev == 13;
    default:
      return false;
  }
}

}  // namespace

void WriteStringStream(TStream& Stream, const String& S) {
  TWriteBuffer Out(Stream);
  Out.PutText(S);
  Out.Flush();
}

void WriteLnStream(TStream& Stream, const String& S) {
  TWriteBuffer Out(Stream);
  Out.PutText(S);
  Out.Put(13);
  Out.Put(10);
  Out.Flush();
}

String ReadLnStream(TStream& Stream, bool& EndReached, int32_t LineBreakMode) {
  String Line;
  ReadLnStream(Stream, Line, EndReached, LineBreakMode);
  return Line;
}

void ReadLnStream(TStream& Stream, String& Line, bool& EndReached, int32_t LineBreakMode) {
  Line.clear();
  EndReached = false;
  TByteSource In(Stream);
  uint8_t Prev = 0;
  for (bool Done = false; !Done;) {
    auto W = In.Window();
    if (W.empty()) {
      EndReached = true;
      break;
    }
    const uint8_t* P = W.data();
    const uint8_t* End = P + W.size();
    while (P < End) {
      const uint8_t* C = detail::FindLineControl(P, End);
      if (C > P) {
        detail::AppendBytes(Line, P, static_cast<size_t>(C - P));
        Prev = C[-1];
      }
      P = C;
      if (P == End) break;
      uint8_t B = *P++;
      if (EndsLine(LineBreakMode, B, Prev)) {
        Done = true;
        break;
      }
      Prev = B;
    }
    In.Consume(static_cast<size_t>(P - W.data()));
  }
  In.Finish();
}

// --- Binary numbers --------------------------------------------------------------------

namespace {

template <size_t N>
void WriteBytes(TStream& Stream, const std::array<uint8_t, N>& Bytes) {
  Stream.WriteBuffer(Bytes.data(), static_cast<int32_t>(N));
}

// Reads N bytes into a zeroed buffer; on a short stream the buffer keeps what came.
template <size_t N>
std::array<uint8_t, N> ReadBytes(TStream& Stream, bool& Error) {
  std::array<uint8_t, N> Bytes{};
  Error = !detail::CatchAll([&] { Stream.ReadBuffer(Bytes.data(), static_cast<int32_t>(N)); });
  return Bytes;
}

template <size_t N>
uint64_t LoadLE(const std::array<uint8_t, N>& B, size_t From, size_t Count) {
  uint64_t V = 0;
  for (size_t I = Count; I-- > 0;) V = (V << 8) | B[From + I];
  return V;
}

template <size_t N>
void StoreLE(std::array<uint8_t, N>& B, size_t From, size_t Count, uint64_t V) {
  for (size_t I = 0; I < Count; ++I, V >>= 8) B[From + I] = static_cast<uint8_t>(V);
}

constexpr int32_t ExtBias = 16383;
constexpr int32_t ExtMaxExp = 0x7FFF;
constexpr uint64_t ExtIntBit = uint64_t{1} << 63;

// The 10-byte extended layout of X, computed arithmetically.
std::array<uint8_t, 10> EncodeExtended(Extended X) {
  uint16_t Sign = std::signbit(X) ? 0x8000 : 0;
  uint64_t Significand = 0;
  int32_t Exponent = 0;
  if (std::isnan(X)) {
    Exponent = ExtMaxExp;
    Significand = ExtIntBit | (ExtIntBit >> 1);  // quiet NaN
  } else if (std::isinf(X)) {
    Exponent = ExtMaxExp;
    Significand = ExtIntBit;
  } else if (X != 0) {
    int E = 0;
    Extended M = std::frexp(std::fabs(X), &E);  // |X| = M * 2^E, M in [0.5, 1)
    Exponent = E - 1 + ExtBias;
    if (Exponent <= 0) {
      // Denormal: the significand counts units of 2^-16445.
      Significand = static_cast<uint64_t>(std::nearbyint(std::ldexp(std::fabs(X), 16445)));
      Exponent = Significand >= ExtIntBit ? 1 : 0;
    } else {
      Extended Scaled = std::nearbyint(std::ldexp(M, 64));  // exact for x87
      if (Scaled >= std::ldexp(Extended{1}, 64)) {
        Scaled = std::ldexp(Extended{1}, 63);
        ++Exponent;
      }
      Significand = static_cast<uint64_t>(Scaled);
      if (Exponent >= ExtMaxExp) {
        Exponent = ExtMaxExp;
        Significand = ExtIntBit;
      }
    }
  }
  std::array<uint8_t, 10> B{};
  StoreLE(B, 0, 8, Significand);
  StoreLE(B, 8, 2, Sign | static_cast<uint16_t>(Exponent));
  return B;
}

Extended DecodeExtended(const std::array<uint8_t, 10>& B) {
  uint64_t Significand = LoadLE(B, 0, 8);
  auto Word = static_cast<uint16_t>(LoadLE(B, 8, 2));
  bool Negative = (Word & 0x8000) != 0;
  int32_t Exponent = Word & 0x7FFF;
  Extended X;
  if (Exponent == ExtMaxExp) {
    X = (Significand & ~ExtIntBit) == 0 ? std::numeric_limits<Extended>::infinity()
                                        : std::numeric_limits<Extended>::quiet_NaN();
  } else {
    // A zero exponent (denormals) scales like exponent 1, without the integer bit.
    int32_t Scale = std::max(Exponent, 1) - ExtBias - 63;
    X = std::ldexp(static_cast<Extended>(Significand), Scale);
  }
  return Negative ? -X : X;
}

}  // namespace

void WriteLongintToStream(TStream& Stream, int32_t Value) {
  std::array<uint8_t, 4> B{};
  StoreLE(B, 0, 4, static_cast<uint32_t>(Value));
  WriteBytes(Stream, B);
}

int32_t ReadLongintFromStream(TStream& Stream, bool& Error) {
  return static_cast<int32_t>(static_cast<uint32_t>(LoadLE(ReadBytes<4>(Stream, Error), 0, 4)));
}

void WriteExtendedToStream(TStream& Stream, Extended Value) {
  WriteBytes(Stream, EncodeExtended(Value));
}

Extended ReadExtendedFromStream(TStream& Stream, bool& Error) {
  return DecodeExtended(ReadBytes<10>(Stream, Error));
}

double ReadDoubleFromStream(TStream& Stream, bool& Error) {
  return std::bit_cast<double>(LoadLE(ReadBytes<8>(Stream, Error), 0, 8));
}

// --- Reading text ----------------------------------------------------------------------

String StreamAsString(TStream& Stream) {
  String S;
  TByteSource In(Stream, false, 64 * 1024);
  S.reserve(static_cast<size_t>(In.RemainingHint()));
  detail::AdviseLargeString(S);
  for (auto W = In.Window(); !W.empty(); W = In.Window()) {
    detail::AppendBytes(S, W.data(), W.size());
    In.Consume(W.size());
  }
  In.Finish();
  return S;
}

int32_t CountLinesInStream(TStream& Stream) {
  int64_t Count = 0;
  TByteSource In(Stream, false, 64 * 1024);
  for (auto W = In.Window(); !W.empty(); W = In.Window()) {
    Count += static_cast<int64_t>(detail::CountByte(W.data(), W.size(), 10));
    In.Consume(W.size());
  }
  In.Finish();
  return static_cast<int32_t>(std::min<int64_t>(Count, std::numeric_limits<int32_t>::max()));
}

bool FindInStream(TStream& Stream, uint8_t Value) {
  TByteSource In(Stream);
  bool Found = false;
  for (auto W = In.Window(); !W.empty() && !Found; W = In.Window()) {
    const void* Hit = std::memchr(W.data(), Value, W.size());
    size_t Used =
        Hit ? static_cast<size_t>(static_cast<const uint8_t*>(Hit) - W.data()) + 1 : W.size();
    Found = Hit != nullptr;
    In.Consume(Used);
  }
  In.Finish();
  return Found;
}

String ReadStreamUntil(TStream& Stream, const String& SearchText, int32_t& Status) {
  Status = -1;
  // The search text as folded bytes; a character above 255 can never match.
  std::string Pattern;
  bool CanMatch = !SearchText.empty();
  for (Char C : SearchText) {
    if (C > 255) CanMatch = false;
    Pattern.push_back(static_cast<char>(detail::FoldByte(static_cast<uint8_t>(C & 0xFF))));
  }
  const size_t M = Pattern.size();
  std::string Read;    // raw bytes consumed so far
  std::string Folded;  // the same, ASCII-folded
  TByteSource In(Stream, true);
  // A memory stream offers all its bytes at once; take them in growing blocks so that a
  // match near the start costs little.
  size_t Block = 256;
  for (auto W = In.Window(); !W.empty(); W = In.Window()) {
    size_t Take = std::min(W.size(), Block);
    Block = std::min<size_t>(Block * 2, 64 * 1024);
    size_t Old = Read.size();
    Read.append(reinterpret_cast<const char*>(W.data()), Take);
    Folded.resize(Read.size());
    for (size_t I = Old; I < Read.size(); ++I)
      Folded[I] = static_cast<char>(detail::FoldByte(static_cast<uint8_t>(Read[I])));
    In.Consume(Take);
    if (!CanMatch) continue;
    // A match may start up to M - 1 bytes before the new block.
    size_t From = Old >= M - 1 ? Old - (M - 1) : 0;
    size_t Hit = std::string_view(Folded).find(Pattern, From);
    if (Hit == std::string_view::npos) continue;
    Status = 0;
    Read.resize(Hit + M);
    In.FinishAt(static_cast<int64_t>(Read.size()));
    return detail::BytesToString(reinterpret_cast<const uint8_t*>(Read.data()), Read.size());
  }
  In.Finish();
  return detail::BytesToString(reinterpret_cast<const uint8_t*>(Read.data()), Read.size());
}

}  // namespace KYR_streams
