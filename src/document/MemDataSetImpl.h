#pragma once

// Internals of the in-memory table shared by its source files; not for other modules.

#include "document/MemDataSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One stored value. Which member holds the value depends on the field type: text kinds (string,
// bytes, memo, blobs) in Str, the 16/32-bit integer kinds, dates (day number, 1 = 1 January of
// year 1), times (milliseconds since midnight) and booleans (0/1) in Int, and the 64-bit
// floating-point kinds in Num (date-times as milliseconds since the start of day 1). A value
// that was never set, or was cleared, is all zeros with HasValue false, so it compares as zero
// or as the empty string.
struct TCell {
    std::string Str;
    double Num = 0;
    int32_t Int = 0;
    bool HasValue = false;
};

// Raw equality as the order maintenance sees it: the has-value flag is not part of the value.
inline bool SameCellValue(const TCell& a, const TCell& b)
{
    return a.Int == b.Int && a.Num == b.Num && a.Str == b.Str;
}

struct TRecord {
    std::vector<TCell> Cells; // one per field definition, in definition order
    std::vector<TCell> Lookups; // one per lookup field, in field order
};

enum class TCompareKind { String, Integer, Float, Equal };

// How values of a field type are compared; throws "Field '%s' is of an unsupported type".
TCompareKind CompareKindOf(const TMemFieldDef& def);
bool IsSupportedFieldType(int dataType);

// Conversions between stored values and the values callers see.
TCell CellFromVariant(int dataType, int size, TVariant&& value);
TVariant VariantFromCell(int dataType, const TCell& cell);
std::string TextFromVariant(int dataType, const TVariant& value);

// The field list of an order resolved to definition positions.
struct TCompareSpec {
    const int* FieldNos = nullptr;
    const TCompareKind* Kinds = nullptr;
    std::size_t Count = 0;
    bool CaseInsensitive = false;
    bool PartialKey = false;
    bool Descending = false;
};

// Compares two records field by field under an order's field list; a is the search key when
// PartialKey.
int CompareRecords(const TRecord& a, const TRecord& b, const TCompareSpec& spec);

// An ordered list of references to records, with cheap insertion and removal in the middle
// (records are appended in bulk and inserted one by one into sorted orders).
class TRecordList {
public:
    int Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }
    TRecord* operator[](int index) const;
    void Insert(int index, TRecord* record);
    void Erase(int index);
    void PushBack(TRecord* record) { Insert(m_count, record); }
    void Clear();
    int IndexOf(const TRecord* record) const; // -1 when absent
    std::vector<TRecord*> ToVector() const;
    void Assign(const std::vector<TRecord*>& records);

private:
    // Blocks of at most BlockSize references; m_starts[i] is the index of block i's first one.
    static constexpr int BlockSize = 512;
    std::vector<std::vector<TRecord*>> m_blocks;
    std::vector<int> m_starts;
    int m_count = 0;
    int BlockOf(int index) const;
    void Renumber(std::size_t fromBlock);
};

// A named order over the table's records.
struct TMemIndexDef {
    std::string Name;
    std::string Fields; // field names separated by ";"
    bool Descending = false;
    bool CaseInsensitive = false;
    bool IsFilter = false; // the filter order "@FILTER_INDEX"
    std::vector<int> FieldNos;
    std::vector<TCompareKind> Kinds;
    TRecordList List;

    TCompareSpec Spec() const
    {
        return { FieldNos.data(), Kinds.data(), FieldNos.size(), CaseInsensitive, false,
            Descending };
    }
    bool Uses(int fieldNo) const;
};

// The order lists of a table with the current and the filter order.
struct TMemIndexDefs {
    std::vector<std::unique_ptr<TMemIndexDef>> Items;
    TMemIndexDef* Current = nullptr; // nullptr: natural order
    TMemIndexDef* Filter = nullptr;
    std::string FilterBaseName; // the name of the order the filter was built over
    TMemIndexDef* Find(const std::string& name) const;
    void Remove(TMemIndexDef* order);
};

// What the field objects are reading at the moment.
enum class TRowKind {
    None, // nothing (closed table, empty view)
    Stored, // a stored record, read only
    Buffer, // the edit or insert buffer
    Scratch, // the key record of a search
};

const std::string FilterIndexName = "@FILTER_INDEX";
const std::string RangeIndexName = "@RANGE_INDEX";
const std::string OrderByPrefix = "@ORDERBY_";

bool SameText(const std::string& a, const std::string& b);
std::vector<std::string> SplitFieldList(const std::string& list);
bool IsReservedIndexName(const std::string& name);

struct TMemDataSet::TImpl {
    explicit TImpl(TMemDataSet& owner)
        : Owner(owner)
    {
    }
    ~TImpl();

    TMemDataSet& Owner;
    TMemFieldDefs Defs;
    std::vector<std::unique_ptr<TField>> FieldList;
    bool DefaultFields = false; // the field objects were made by Open, one per definition
    std::vector<TField*> LookupFields;
    std::vector<TCompareKind> Kinds; // per definition, computed on Open

    TRecordList Natural; // owns the records
    TMemIndexDefs Indexes;
    std::string IndexName; // remembered current order, also while closed
    std::string OrderByText;
    bool FilteredFlag = false;

    int32_t AutoInc = 0;
    bool DrewAutoInc = false;

    TDataSetState State = TDataSetState::Inactive;
    TDataSetState TempState = TDataSetState::Inactive; // Filter or CalcFields while set
    bool InTempState = false;
    int Cursor = 0; // 1..N on a record, 0 when the view is empty
    bool BofFlag = true;
    bool EofFlag = true;

    // The edit cycle.
    TRecord Buffer;
    TRecord* EditRecord = nullptr; // the stored record being edited
    bool ModifiedFlag = false;
    int InsertPos = 0; // P: cursor position when Insert was called, 0 on an empty view
    int InsertRow = 0; // the row the new record shows in while inserting
    bool Appending = false;

    // Override of the record the field objects read (filter tests, searches, views' rows).
    TRecord* Override = nullptr;
    TRowKind OverrideKind = TRowKind::None;
    bool ForeignRow = false; // a view reads another row: the state reads as browse
    TRecord Scratch;

    int DisableCount = 0;
    TDataSetState DisabledState = TDataSetState::Inactive;
    std::vector<IDataSetObserver*> Observers;

    // Records and rows.
    TRecordList& View();
    TMemIndexDef* ViewOrder() const;
    TRecord* CurrentRecord();
    TRecord* ActiveRecord(TRowKind& kind);
    TRecord* RowRecord(int row, TRowKind& kind);
    TRecord NewRecord() const;
    void FreeRecords();
    void EmptyInternal();

    // Field access.
    TVariant ReadField(const TField& field);
    void WriteField(TField& field, TVariant value);
    void ComputeLookups(std::vector<TField*>* changed);
    TVariant ReadByName(TRecord& record, const std::string& name);

    // States and notifications.
    TDataSetState CurrentState() const;
    void SetState(TDataSetState state);
    void Notify(TDataEvent event, TField* field = nullptr);
    void UpdateRecordViews();
    void Fire(const TDataSetNotifyEvent& event);
    void CheckActive() const;
    bool Editing() const { return State == TDataSetState::Edit || State == TDataSetState::Insert; }

    // Life cycle.
    void BindFields();
    void UnbindFields();

    // The edit cycle.
    void BeginInsert(bool append);
    void PostInternal();
    void CancelInternal();
    void StoreEdit();
    void StoreInsert();
    void SetCursorAfterStore(int viewIndex);
    void DropBuffer();

    // Orders.
    std::vector<int> ResolveFields(const std::string& fieldList, std::vector<TCompareKind>* kinds);
    TMemIndexDef& CreateIndex(const std::string& name, const std::string& fields, bool descending,
        bool caseInsensitive, bool isFilter);
    void ResolveIndexes();
    int PlaceRecord(TMemIndexDef& order, TRecord* record);
    int RemoveRecord(TMemIndexDef& order, TRecord* record);
    int FindInList(const TRecordList& list, const TMemIndexDef* order, const TRecord* record);
    int PositionInView(const TRecord* record);
    void SelectIndex(const std::string& name, bool force);
    void ApplyOrderBy();
    void ReleaseAutoIndexes();
    void OrderByOptions(bool& descending, bool& caseInsensitive) const;

    // Filter.
    bool TestFilter(TRecord* record);
    void BuildFilter();
    void DropFilter();
    void RepositionOn(TRecord* record);

    // Searches.
    int Search(const std::string& keyFields, const std::vector<TVariant>& keyValues,
        TLocateOptions options);

    // Sets what the field objects read for the lifetime of the object.
    class TReadScope {
    public:
        TReadScope(TImpl& impl, TRecord* record, TRowKind kind, bool foreignRow);
        ~TReadScope();
        TReadScope(const TReadScope&) = delete;
        TReadScope& operator=(const TReadScope&) = delete;

    private:
        TImpl& m_impl;
        TRecord* m_record;
        TRowKind m_kind;
        bool m_foreign;
    };

    // Enters a temporary state (filter, calculate) for the lifetime of the object.
    class TTempStateScope {
    public:
        TTempStateScope(TImpl& impl, TDataSetState state);
        ~TTempStateScope();
        TTempStateScope(const TTempStateScope&) = delete;
        TTempStateScope& operator=(const TTempStateScope&) = delete;

    private:
        TImpl& m_impl;
        TDataSetState m_previous;
        bool m_wasTemp;
    };
};
