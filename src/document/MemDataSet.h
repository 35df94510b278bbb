#pragma once

#include "engine/DateTime.h"
#include "engine/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// Field types; the numbers are the codes of the stored definition texts ("TeamID;14;0;0").
enum TFieldType : int {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftFmtMemo = 18,
    ftParadoxOle = 19,
    ftDBaseOle = 20,
    ftTypedBinary = 21,
    ftCursor = 22,
};

// A field value as callers see it: null (no value), an integer, a floating-point number
// (date-times as days), a boolean or a text.
using TVariant = std::variant<std::monostate, int, double, bool, std::string>;
inline bool VarIsNull(const TVariant& v)
{
    return std::holds_alternative<std::monostate>(v);
}

// Errors of the table engine itself, with their codes (9 "System index: Internal use only",
// 10 "Index does not exist", ...).
class EMemDatasetError : public EDatabaseError {
public:
    explicit EMemDatasetError(int code);
    int Code() const { return m_code; }
    static std::string TextOf(int code);

private:
    int m_code;
};

class TMemDataSet;

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TFieldKind { Data, Lookup };

// One stored field definition.
struct TMemFieldDef {
    std::string Name;
    int DataType = ftString; // a TFieldType code
    int Size = 0;
    bool Required = false;
};

// The ordered field definitions of a table; names are found regardless of case.
class TMemFieldDefs {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    TMemFieldDef& operator[](int index) { return m_items.at(index); }
    const TMemFieldDef& operator[](int index) const { return m_items.at(index); }
    TMemFieldDef& Add(const std::string& name, int dataType, int size = 0, bool required = false);
    int IndexOf(const std::string& name) const; // -1 when absent
    void Clear() { m_items.clear(); }

private:
    std::vector<TMemFieldDef> m_items;
};

// A field object: display properties, events and typed access to the value of the record the
// table currently reads (the cursor's record, the edit buffer, or the record under a filter test).
class TField {
public:
    using TNotifyEvent = std::function<void(TField&)>;
    // text is filled by the handler; displayText is true for display, false for editing.
    using TGetTextEvent = std::function<void(TField& sender, std::string& text, bool displayText)>;

    TField(TMemDataSet& dataSet, std::string fieldName, TFieldType dataType, int size,
        TFieldKind kind = TFieldKind::Data);

    TMemDataSet& DataSet() const { return *m_dataSet; }
    const std::string& FieldName() const { return m_fieldName; }
    TFieldType DataType() const { return m_dataType; }
    int Size() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    TFieldKind FieldKind() const { return m_kind; }

    // Display properties.
    std::string DisplayLabel; // empty: the field name is shown
    int DisplayWidth = 0; // characters; 0: derived from the size/type
    bool Visible = true;
    bool ReadOnly = false; // for views; the table itself does not refuse writes
    TAlignment Alignment = TAlignment::LeftJustify;
    std::string Label() const { return DisplayLabel.empty() ? m_fieldName : DisplayLabel; }
    int EffectiveDisplayWidth() const;

    // Lookup fields (kind Lookup): value = LookupDataSet->Lookup(LookupKeyFields, values of
    // this table's KeyFields, LookupResultField).
    TMemDataSet* LookupDataSet = nullptr;
    std::string LookupKeyFields;
    std::string LookupResultField;
    std::string KeyFields;

    TNotifyEvent OnValidate;
    TGetTextEvent OnGetText;

    // Reading the current value.
    bool IsNull() const;
    TVariant Value() const;
    // "" for null; numbers in decimal, booleans "True"/"False", dates "yyyy-mm-dd", times
    // "hh:nn:ss", date-times both (the time only when not midnight).
    std::string AsString() const;
    int AsInteger() const; // 0 for null; EConvertError for text that is no integer
    double AsFloat() const; // 0 for null
    TDateTime AsDateTime() const; // 0 for null; time fields give ms / 86400000.0
    bool AsBoolean() const;
    std::string Text() const; // OnGetText(displayText = false) or the default text
    std::string DisplayText() const; // OnGetText(displayText = true) or the default text

    // Writing a value: only in the edit or insert state (or the internal states), else
    // EDatabaseError "Dataset not in edit or insert mode". OnValidate runs first (an abort keeps
    // the old value). Text is UTF-8: CR and LF become blanks and the text is cut to Size
    // characters. An empty text stores an empty value for a string field and null otherwise.
    // Stored records are never written through a field: a filter callback, or a view reading
    // another row, gets the same error.
    void SetValue(const TVariant& value);
    void SetAsString(const std::string& value);
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsDateTime(TDateTime value);
    void SetAsBoolean(bool value);
    void Clear(); // null

    // Position of the definition in the record (-1 while unbound or for a lookup field) and
    // of the field among the table's field objects.
    int FieldNo() const { return m_fieldNo; }
    int Index() const { return m_index; }

private:
    friend class TMemDataSet;
    TMemDataSet* m_dataSet;
    std::string m_fieldName;
    TFieldType m_dataType;
    int m_size;
    TFieldKind m_kind;
    int m_fieldNo = -1;
    int m_index = -1;
    int m_lookupNo = -1; // position of a lookup field's value in the record
};

enum class TDataSetState { Inactive, Browse, Edit, Insert, Filter, CalcFields };

// Change notifications to attached views. Each maps to one change of an item model over the
// view's rows (RowCount rows, read with ValueAt/DisplayTextAt):
// - FieldChange: one value of the current row (RecNo) changed in the edit or insert buffer;
//   field names the field (a lookup field when its looked-up value followed a key change).
//   Model: dataChanged of that cell.
// - RecordChange: the current row's values changed in place, rows and positions unchanged
//   (entering edit, which recomputes the lookup values; cancelling an edit). Model: dataChanged
//   of the row.
// - DataSetChange: rows may have appeared, gone, moved or been refiltered, and RecNo may have
//   changed (open, insert/append showing the new row, post, cancel of an insert, delete, order
//   or filter switched, emptied, or the end of a DisableControls block). Model: one reset.
// - DataSetScroll: only the cursor moved (RecNo). Model: the current index.
// - StateChange: State() changed. No row changed, except that a closed table has no rows:
//   on a change to Inactive the model empties (one reset).
// While DisableControls is in force nothing is sent; the last EnableControls sends a
// StateChange if the state differs from the one at the first DisableControls, then one
// DataSetChange when neither state is Inactive.
enum class TDataEvent {
    FieldChange,
    RecordChange,
    DataSetChange,
    DataSetScroll,
    StateChange,
};

// An attached view: a grid, a navigator, a lookup combo box.
class IDataSetObserver {
public:
    virtual ~IDataSetObserver() = default;
    virtual void DataEvent(TMemDataSet& dataSet, TDataEvent event, TField* field) = 0;
    // Called when a pending edit is finished: the view writes values it holds to the fields.
    virtual void UpdateRecord(TMemDataSet&) { }
};

enum TMemDatasetOption : unsigned {
    moReleaseAutoIndexes = 1u << 0,
    moValidateFieldsOnLoadDataset = 1u << 1,
    moEmptyTableOnClose = 1u << 2,
    moAddIndexOnLocate = 1u << 3,
    moUseFieldMappingOnLoadDataset = 1u << 4,
    moSetOrderByDescending = 1u << 5,
    moSetOrderByCaseInsensitive = 1u << 6,
};
using TMemDatasetOptions = unsigned;

enum TLocateOption : unsigned { loCaseInsensitive = 1u << 0, loPartialKey = 1u << 1 };
using TLocateOptions = unsigned;

// A bookmark is the record's 1-based position in the view when it was taken.
using TBookmark = int32_t;

// An in-memory table: records held in memory, a cursor over a view, named orders kept sorted
// as records come and go, a filter driven by a callback, key searches and bookmarks that are
// positions. Orders are created by one exact quicksort (which does not keep equal keys in
// natural order) and kept by binary insertion afterwards; stored files and results rely on it.
class TMemDataSet {
public:
    using TDataSetNotifyEvent = std::function<void(TMemDataSet&)>;
    using TFilterRecordEvent = std::function<void(TMemDataSet&, bool& accept)>;

    explicit TMemDataSet(std::string name = {});
    ~TMemDataSet();
    TMemDataSet(const TMemDataSet&) = delete;
    TMemDataSet& operator=(const TMemDataSet&) = delete;

    const std::string& Name() const { return m_name; }

    // Definitions.
    TMemFieldDefs& FieldsDefinition();
    void SetFieldsDefinitionItems(const std::vector<std::string>& items); // "Name;type;size;req"
    std::vector<std::string> FieldsDefinitionItems() const;

    // Field objects declared ahead of opening (bound to definitions by name on Open). A table
    // without field objects of its own gets one per definition when it opens.
    TField& AddField(const std::string& name, TFieldType type, int size = 0);
    TField& AddLookupField(const std::string& name, int size, TMemDataSet& lookupDataSet,
        const std::string& lookupKeyFields, const std::string& lookupResultField,
        const std::string& keyFields);
    int FieldCount() const;
    TField& Fields(int index);
    TField* FindField(const std::string& name);
    TField& FieldByName(const std::string& name); // "Field '%s' not found"
    TVariant FieldValues(const std::string& name);
    // The values of a ";"-separated list of field names, in list order.
    std::vector<TVariant> FieldValueArray(const std::string& fieldNames);

    TMemDatasetOptions Options = moUseFieldMappingOnLoadDataset;

    // Life cycle.
    void Open();
    void Close();
    bool Active() const;
    void SetActive(bool active);
    void EmptyTable();
    TDataSetState State() const;

    // Navigation over the view. Every move finishes a pending edit and fires BeforeScroll and
    // AfterScroll (also when the cursor cannot move); SetRecNo outside 1..RecordCount is ignored.
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const;
    bool Eof() const;
    bool IsEmpty() const;
    int RecordCount() const;
    int RecNo() const; // 0 when there is no current record; the new record's row while inserting
    void SetRecNo(int recNo);
    // Rows a view shows: RecordCount, plus the new record while inserting (at RecNo; an
    // appended record after the last row).
    int RowCount() const;

    // The edit cycle.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Finishes a pending edit: views write their values, then post when modified, else cancel.
    void CheckBrowseMode();
    bool Modified() const;

    // Orders. OrderBy selects (creating once) the order "@ORDERBY_" + the list with "_" for
    // ";"; a closed table applies it when it opens; a failure keeps the previous text. Selecting
    // "@FILTER_INDEX" or "@RANGE_INDEX" is EMemDatasetError 9; an unknown name selects the
    // natural order and is EMemDatasetError 10.
    const std::string& OrderBy() const;
    void SetOrderBy(const std::string& fieldList);
    const std::string& IndexName() const;
    void SetIndexName(const std::string& name);
    void AddIndex(const std::string& name, const std::string& fields, bool descending = false,
        bool caseInsensitive = false);
    void DeleteIndex(const std::string& name);
    std::vector<std::string> IndexNames() const;

    // Filter.
    bool Filtered() const;
    void SetFiltered(bool filtered);
    TFilterRecordEvent OnFilterRecord;
    // Re-runs the filter over the current order (after the filter's criteria changed).
    void Refilter();

    // Searches; keyFields is a ";"-separated list with one value per key field.
    bool Locate(const std::string& keyFields, const std::vector<TVariant>& keyValues,
        TLocateOptions options = 0);
    bool Locate(const std::string& keyFields, const TVariant& keyValue, TLocateOptions options = 0);
    // One result field (a ";" list is EMemDatasetError 1); null when no record has the key.
    TVariant Lookup(const std::string& keyFields, const std::vector<TVariant>& keyValues,
        const std::string& resultField);
    TVariant Lookup(
        const std::string& keyFields, const TVariant& keyValue, const std::string& resultField);

    // Bookmarks. The text form holds the four bytes of the position; an empty text does nothing.
    TBookmark GetBookmark() const; // 0 when there is no current record
    void GotoBookmark(TBookmark bookmark); // "Record not found"
    void FreeBookmark(TBookmark) { }
    std::string Bookmark() const;
    void SetBookmark(const std::string& bookmark);
    bool BookmarkValid(TBookmark bookmark) const;
    static int CompareBookmarks(TBookmark a, TBookmark b);

    // Notifications.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const;
    void AttachObserver(IDataSetObserver* observer);
    void DetachObserver(IDataSetObserver* observer);

    // Views read any row of the view without moving the cursor: the field objects read that
    // row while the function runs (the edit buffer for the current row while editing).
    std::string DisplayTextAt(int recNo, TField& field);
    TVariant ValueAt(int recNo, TField& field);

    // Events.
    TDataSetNotifyEvent BeforeInsert, AfterInsert, OnNewRecord, BeforeEdit, AfterEdit, BeforePost,
        AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;

    // The state of an autoinc counter, for tests and the file reader.
    int32_t AutoIncValue() const;

private:
    friend class TField;
    struct TImpl;
    std::string m_name;
    std::unique_ptr<TImpl> m_impl;
};
