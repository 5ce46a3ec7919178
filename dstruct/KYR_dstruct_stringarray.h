// TStringArray: a two-dimensional table of short Windows-1252 text cells.
//
// Storage. Every cell text lives in one string pool made of 32768-byte blocks; a cell
// holds only a 32-bit reference: the 1-based block number in the high 16 bits and the
// 1-based offset of the text's length byte in the low 16 bits (0 = no text). A text of
// length L takes L + 1 bytes. New texts go to the first block with room (first fit);
// a text that is not longer than the one it replaces is written over it in place, a
// longer one goes elsewhere and the old bytes stay as garbage until GarbageCollection
// or Clear. The pool holds at most 65535 blocks.
//
// Rows. Columns are numbered 0..NrOfColumns (column 0 is an extra leading column) and
// rows 1..NrOfRows. A caller's row number is a visible row; the sort index maps it to
// the physical row that holds the texts and the row attribute. Sorting permutes only
// the sort index; CommitSorting makes the order physical, UnSort drops it.
//
// Conventions. Out-of-range indexes never raise: reads give "" or 0, writes are
// ignored. OnChange fires once per cell or attribute written and never for clearing,
// compaction or reordering. An operation that runs out of memory (or out of pool
// blocks) leaves the table as it was and raises EKYRDStructError; Resize reports it
// through its result instead.
//
// XML form (SaveAsXMLFile, WriteToOpenXMLFile, LoadFromXMLFile, ReadFromOpenXMLFile).
// The file is plain ASCII, one element per line, lines ended by CR LF:
//
//   <?xml version="1.0" encoding="US-ASCII"?>      only when a header is requested
//   <strarray id="DataID">
//    <numcols>3</numcols>                           NrOfColumns
//    <numrows>2</numrows>                           NrOfRows
//    <colattr c="2">7</colattr>                     non-zero column attributes
//    <rowattr r="1">255</rowattr>                   non-zero row attributes
//    <cell c="0" r="1">a &lt;b&gt; &amp; &#233;</cell>
//   </strarray>
//
// Rows are written in visible order, so a loaded table shows the same rows in physical
// order. Only non-empty cells are written. Cell texts and the identifier are escaped:
// "<", ">", "&" and the double quote as &lt; &gt; &amp; &quot;, every other character
// outside the printable ASCII range 32..126 as a decimal reference &#N; to its Unicode
// code point (the character its Windows-1252 byte stands for); blanks are written as
// they are, also at both ends. A reader also accepts &apos;, hexadecimal references
// &#xH; and unescaped characters other than "<" and "&". Several tables may follow each
// other in one file; the identifier (compared exactly) selects one. Unknown elements
// inside a table are skipped. A file that is damaged (no complete table with the
// identifier, bad numbers, cells outside the dimensions, a cell text longer than 255
// characters, a malformed reference) gives false and leaves the table unchanged. So
// does a file declaring more than MaxXMLDimension (2^24 = 16,777,216) rows or columns,
// or more than MaxXMLCells (2^28) cells counting column 0 (rows x (columns + 1)): such
// dimensions would make the reader allocate gigabytes on a damaged or hostile file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "KYR_dstruct_error.h"
#include "KYR_kyrbase.h"

namespace KYR_dstruct {

using namespace KYR_runtime;

// Sort-key hook: receives the key text and may change OutString (which starts as a copy
// of InString); the order then follows the changed keys.
using TBeforeSortExchgEvent =
    std::function<void(TObject* Sender, const String& InString, String& OutString)>;

// One block of the string pool.
using TStringPool = std::array<uint8_t, 32768>;

class TStringArray : public TComponent, public KYR_kyrbase::TChangeNotifier<TStringArray> {
 public:
  // Bytes of one pool block and the most blocks a cell reference can address.
  static constexpr int32_t PoolBlockSize = 32768;
  static constexpr int32_t MaxPoolBlocks = 65535;
  // The largest dimensions the XML reader accepts (see the top of this header).
  static constexpr int32_t MaxXMLDimension = int32_t{1} << 24;
  static constexpr int64_t MaxXMLCells = int64_t{1} << 28;

  // A table of 1 column (plus column 0) and 1 row, AllocRowsBy 10, one empty pool block.
  // Raises EKYRDStructError when the initial arrays cannot be allocated.
  explicit TStringArray(TComponent* AOwner = nullptr);
  ~TStringArray() override;

  // --- Dimensions ------------------------------------------------------------------

  int32_t NrOfColumns() const { return FNCol; }
  // Resize(Value, NrOfRows), result discarded.
  void SetNrCols(int32_t Value);
  int32_t NrOfRows() const { return FNRow; }
  // Resize(NrOfColumns, Value), result discarded.
  void SetNrRows(int32_t Value);
  // Growth step of the row capacity; stored as given, a value below 1 acts as 1.
  int32_t AllocRowsBy() const { return FAllocRowsBy; }
  void SetAllocRowsBy(int32_t Value) { FAllocRowsBy = Value; }
  // Number of pool blocks in use.
  int32_t NumBuffers() const { return FNumPoolAddr; }
  // Rows for which references, attributes and sort-index entries exist.
  int32_t RowCapacity() const { return FRAllocated; }
  // Bytes held by the pool blocks and all per-cell, per-row and per-column arrays.
  int64_t AllocatedBytes() const;
  // Pool bytes taken by texts, live ones and garbage; GarbageCollection reclaims the
  // garbage inside each block.
  int64_t PoolBytesUsed() const;

  // Sets the dimensions. Same dimensions: true, nothing happens. Nc or Nr below 1:
  // false, nothing happens. Otherwise cells outside the new area are emptied, the sort
  // order is reset and OnChange fires once; when the row capacity has to change it
  // becomes the smallest multiple of AllocRowsBy holding Nr rows. Without memory the
  // result is false, the table unchanged, and OnChange still fires.
  bool Resize(int32_t Nc, int32_t Nr);
  // Appends an empty row (through Resize, so the sort order is reset); returns the new
  // NrOfRows (the old one when the table could not grow).
  int32_t AddRow();
  // Inserts an empty row in front of visible row r, keeping the order of the other
  // rows; r outside 1..NrOfRows does nothing. OnChange fires once for the new row count
  // and once for every cell and row attribute moved or cleared.
  void InsertRow(int32_t r);
  // Removes visible row r, keeping the order of the other rows; the only row of a
  // one-row table is emptied instead. OnChange fires as for InsertRow.
  void RemoveRow(int32_t r);
  // Copies the texts of every column and the row attribute of visible row Source to
  // visible row Target, notifying once per write; invalid rows do nothing.
  void CopyRow(int32_t Source, int32_t Target);
  // Empties every cell, zeroes all attributes, resets the sort order and cuts the pool
  // back to one empty block. Dimensions stay; no notification.
  void Clear();
  // Writes s into every cell (column by column, notifying once per cell); an empty s
  // is Clear.
  void Fill(const ShortString& s);
  void Fill(const String& s) { Fill(ShortString(s)); }
  // Compacts every pool block in place (texts never move between blocks); every cell
  // keeps its text. No notification.
  void GarbageCollection();

  // --- Cells -----------------------------------------------------------------------

  // The text of column c, visible row r; empty when out of range.
  ShortString GetString(int32_t c, int32_t r) const;
  ShortString Elem(int32_t c, int32_t r) const { return GetString(c, r); }
  // Stores s in column c, visible row r and notifies; out of range does nothing.
  void SetString(int32_t c, int32_t r, const ShortString& s);
  void SetString(int32_t c, int32_t r, const String& s) { SetString(c, r, ShortString(s)); }
  // The cell read as a number: blanks at both ends dropped, commas read as points; an
  // empty cell is 0. Raises EKYRDStructError when the text is no number.
  double GetAsNumber(int32_t c, int32_t r) const;
  double AsNumber(int32_t c, int32_t r) const { return GetAsNumber(c, r); }
  // GetAsNumber rounded (ties to even) and clamped to -2147483647..2147483647.
  int32_t GetAsInteger(int32_t c, int32_t r) const;
  int32_t AsInteger(int32_t c, int32_t r) const { return GetAsInteger(c, r); }
  // True when every cell of columns 1..NrOfColumns of visible row ARow is empty or
  // blanks only (column 0 is not examined).
  bool RowEmpty(int32_t ARow) const;
  // True when every cell of column ACol is empty or blanks only.
  bool ColumnEmpty(int32_t ACol) const;

  // --- Attributes (bytes for the caller; rows travel with their texts) --------------

  uint8_t GetRowAttrib(int32_t r) const;
  uint8_t RowAttrib(int32_t r) const { return GetRowAttrib(r); }
  void SetRowAttrib(int32_t r, uint8_t b);
  // Columns 1..NrOfColumns only.
  uint8_t GetColAttrib(int32_t c) const;
  uint8_t ColAttrib(int32_t c) const { return GetColAttrib(c); }
  void SetColAttrib(int32_t c, uint8_t b);

  // --- Sorting and searching -------------------------------------------------------

  // Comb sort (shrink factor 1.3) of the sort index by column Col and, for equal keys,
  // by column ColSec (a value below 1: none). Keys pass through OnBeforeSortExchange and
  // compare ordinally after ASCII lower-casing. OnPercentDone receives 0, a value after
  // every pass and 100; OnChange fires once when there was something to sort. While it
  // runs, its handlers may write cells, but an operation that changes the table's shape
  // (Resize, Clear, InsertRow, RemoveRow, GarbageCollection, CommitSorting, Assign,
  // loading) raises EKYRDStructError.
  void Sort(int32_t Col, int32_t ColSec, bool Ascending);
  // Shows the rows in physical order again; notifies.
  void UnSort();
  // Makes the current order the physical order; the visible content stays. No
  // notification.
  void CommitSorting();
  // The physical row shown as visible row ix; -1 when ix is out of range.
  int32_t GetSortOrder(int32_t ix) const;
  int32_t SortOrder(int32_t ix) const { return GetSortOrder(ix); }
  // Shows physical row position as visible row ix when both are in 1..NrOfRows. Keeping
  // the sort index a permutation is the caller's task.
  void SetSortOrder(int32_t ix, int32_t position);

  // Searches the region row by row for the first cell containing FindStr (ASCII case
  // folded unless MatchCase). ColLow or ColHigh -1 means all columns, RowLow and RowHigh
  // both -1 all rows; the bounds are clamped and put in order. On a hit sets Col and
  // row and returns true; otherwise leaves them untouched.
  bool FindCell(const String& FindStr, bool MatchCase, int32_t ColLow, int32_t ColHigh,
                int32_t RowLow, int32_t RowHigh, int32_t& Col, int32_t& row) const;
  // As FindCell, but the whole cell text must equal FindStr.
  bool FindCellExact(const String& FindStr, bool MatchCase, int32_t ColLow, int32_t ColHigh,
                     int32_t RowLow, int32_t RowHigh, int32_t& Col, int32_t& row) const;
  // Binary search in column ColIx, which the caller knows to be sorted (ascending or not)
  // under the same folding. On a hit row is the first of a run of equal texts (it may
  // lie above RowLow); otherwise row is the last row compared.
  bool FindCellInSortedColumn(const String& FindStr, bool MatchCase, int32_t ColIx, int32_t RowLow,
                              int32_t RowHigh, bool ColIsAscending, int32_t& row) const;

  // --- Events --------------------------------------------------------------------

  const KYR_kyrbase::TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(KYR_kyrbase::TOnPercentDoneEvent Handler) {
    FOnPercentDone = std::move(Handler);
  }
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler) {
    FOnBefSortExc = std::move(Handler);
  }

  // --- XML form (format: see the top of this header) --------------------------------

  // Creates (or truncates) FName and writes the table with a header under DataID.
  // Input/output errors raise the runtime's EInOutError. A table beyond the reader's
  // limits (MaxXMLDimension, MaxXMLCells) raises EKYRDStructError before anything is
  // written, so that no file is saved that could not be loaded again.
  void SaveAsXMLFile(const String& FName, const String& DataID);
  // Writes the table under DataID at the current position of an open text file, with
  // the XML declaration line first when CreateHeader is true.
  void WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID);
  // Reads the first table with identifier DataID from the file; false (table
  // unchanged) when the file cannot be read or holds no such complete table. A table
  // read notifies once.
  bool LoadFromXMLFile(const String& FName, const String& DataID);
  // As LoadFromXMLFile, searching from the current position of an open text file and
  // leaving it behind the table's closing tag. Input/output errors of the file raise.
  bool ReadFromOpenXMLFile(TextFile& F, const String& DataID);

  // --- Copying ---------------------------------------------------------------------

  // From another TStringArray: dimensions, AllocRowsBy, texts, attributes and sort
  // order (not the events or the name); no notification. Otherwise the runtime's
  // default, which raises EConvertError when nobody can copy.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

 protected:
  // FindCell (Exact false) and FindCellExact (Exact true).
  bool FindCellIntern(const String& FindStr, bool MatchCase, int32_t ColLow, int32_t ColHigh,
                      int32_t RowLow, int32_t RowHigh, int32_t& Col, int32_t& row,
                      bool Exact) const;
  // OutString := InString, then OnBeforeSortExchange when assigned.
  void BeforeSortExchange(const String& InString, String& OutString);

  // The most pool blocks this table may use; MaxPoolBlocks unless lowered (for tests).
  int32_t FMaxPoolBlocks = MaxPoolBlocks;

 private:
  // Raises EKYRDStructError when the table exceeds what the XML reader accepts.
  void CheckFitsXMLForm() const;
  // A column's references: empty (no text in the column) or FRAllocated entries.
  using TColumnRefs = std::vector<uint32_t>;

  int32_t FNCol = 1;
  int32_t FNRow = 1;
  int32_t FAllocRowsBy = 10;
  int32_t FRAllocated = 0;
  int32_t FNumPoolAddr = 0;
  std::vector<int32_t> FFirstFree;
  std::vector<TColumnRefs> FPoiArray;                  // [column 0..FNCol][physical row - 1]
  std::vector<int32_t> FSortIx;                        // [visible row - 1] -> physical row
  std::vector<std::unique_ptr<TStringPool>> FStgPool;  // [block - 1]
  std::vector<uint8_t> FRowAttrib;                     // [physical row - 1]
  std::vector<uint8_t> FColAttrib;                     // [column - 1]
  TBeforeSortExchgEvent FOnBefSortExc;
  KYR_kyrbase::TOnPercentDoneEvent FOnPercentDone;
  // Per text length: no block before this index (0-based) has room for such a text.
  std::array<int32_t, 256> FFitFrom{};
  // True when the sort index is the identity over the whole row capacity.
  bool FSortIdentity = true;
  // True while Sort runs: its handlers may write cells but not change the table's shape.
  bool FSorting = false;
  // Raises EKYRDStructError while Sort runs (called by every shape-changing operation).
  void CheckNotSorting() const;

  // The physical row of visible row r, or 0 when r (or its sort entry) is out of range.
  int32_t PhysRow(int32_t r) const;
  uint32_t Ref(int32_t c, int32_t p) const;
  // The text a reference designates (an empty text for 0). Inline: the sort reads
  // texts through it in its innermost loop.
  std::string_view RefBytes(uint32_t ARef) const {
    const uint32_t Block = ARef >> 16;
    const uint32_t Offset = ARef & 0xFFFF;
    if (Block == 0 || Block > static_cast<uint32_t>(FNumPoolAddr) || Offset == 0) return {};
    const uint8_t* P = FStgPool[Block - 1]->data() + (Offset - 1);
    // A text never reaches past its block; the bound only guards the read.
    const uint32_t Len = P[0] < PoolBlockSize - Offset ? P[0] : PoolBlockSize - Offset;
    return {reinterpret_cast<const char*>(P + 1), Len};
  }
  std::string_view CellBytes(int32_t c, int32_t p) const { return RefBytes(Ref(c, p)); }
  // Stores the text in physical row p of column c without notifying. Raises
  // EKYRDStructError (table unchanged) when memory or pool blocks run out.
  void StoreText(int32_t c, int32_t p, std::string_view Text);
  // Appends a text to the pool (first fit) and returns its reference.
  uint32_t PlaceText(std::string_view Text);
  // The references of column c, allocated on first use.
  TColumnRefs& WritableColumn(int32_t c);
  // Capacity changes: the reserving half may throw std::bad_alloc and changes nothing
  // visible; the committing half cannot fail.
  void ReserveRows(int64_t NewCap);
  void CommitRows(int32_t NewCap);
  int32_t CapacityFor(int64_t Nr, bool& Ok) const;
  void ResetSortIndex();
  void ResetFitHints() { FFitFrom.fill(0); }
  void NotifyTimes(int64_t Count);
  void SwapContents(TStringArray& Other) noexcept;
  [[noreturn]] static void RaiseOutOfMemory();
};

}  // namespace KYR_dstruct
