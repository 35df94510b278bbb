// The in-memory table: life cycle, cursor, edit cycle, bookmarks and notifications.

#include "document/MemDataSet.h"

#include "document/MemDataSetImpl.h"

#include <algorithm>
#include <cstring>

namespace {

// Text to int as the stored definition texts need it: false when it is not a number.
bool TryTextToInt(const std::string& text, int& result)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9' || value > 214748364)
            return false;
        value = value * 10 + (text[i] - '0');
    }
    value = negative ? -value : value;
    if (value > 2147483647 || value < -2147483648LL)
        return false;
    result = static_cast<int>(value);
    return true;
}

const char* const ClosedDataSet = "Cannot perform this operation on a closed dataset";
const char* const OpenDataSet = "Cannot perform this operation on an open dataset";

} // namespace

// ---- TImpl basics

TMemDataSet::TImpl::~TImpl()
{
    FreeRecords();
}

TMemDataSet::TImpl::TReadScope::TReadScope(
    TImpl& impl, TRecord* record, TRowKind kind, bool foreignRow)
    : m_impl(impl)
    , m_record(impl.Override)
    , m_kind(impl.OverrideKind)
    , m_foreign(impl.ForeignRow)
{
    impl.Override = record;
    impl.OverrideKind = kind;
    impl.ForeignRow = foreignRow;
}

TMemDataSet::TImpl::TReadScope::~TReadScope()
{
    m_impl.Override = m_record;
    m_impl.OverrideKind = m_kind;
    m_impl.ForeignRow = m_foreign;
}

TMemDataSet::TImpl::TTempStateScope::TTempStateScope(TImpl& impl, TDataSetState state)
    : m_impl(impl)
    , m_previous(impl.TempState)
    , m_wasTemp(impl.InTempState)
{
    impl.TempState = state;
    impl.InTempState = true;
}

TMemDataSet::TImpl::TTempStateScope::~TTempStateScope()
{
    m_impl.TempState = m_previous;
    m_impl.InTempState = m_wasTemp;
}

TRecordList& TMemDataSet::TImpl::View()
{
    if (Indexes.Filter)
        return Indexes.Filter->List;
    return Indexes.Current ? Indexes.Current->List : Natural;
}

TMemIndexDef* TMemDataSet::TImpl::ViewOrder() const
{
    return Indexes.Filter ? Indexes.Filter : Indexes.Current;
}

TRecord* TMemDataSet::TImpl::CurrentRecord()
{
    if (State == TDataSetState::Inactive)
        return nullptr;
    TRecordList& view = View();
    return Cursor >= 1 && Cursor <= view.Count() ? view[Cursor - 1] : nullptr;
}

TRecord* TMemDataSet::TImpl::ActiveRecord(TRowKind& kind)
{
    if (Override) {
        kind = OverrideKind;
        return Override;
    }
    if (Editing()) {
        kind = TRowKind::Buffer;
        return &Buffer;
    }
    TRecord* record = CurrentRecord();
    kind = record ? TRowKind::Stored : TRowKind::None;
    return record;
}

TRecord TMemDataSet::TImpl::NewRecord() const
{
    TRecord record;
    record.Cells.resize(Defs.Count());
    record.Lookups.resize(LookupFields.size());
    return record;
}

void TMemDataSet::TImpl::FreeRecords()
{
    for (TRecord* record : Natural.ToVector())
        delete record;
    Natural.Clear();
    for (auto& order : Indexes.Items)
        order->List.Clear();
}

void TMemDataSet::TImpl::EmptyInternal()
{
    FreeRecords();
    Cursor = 0;
    BofFlag = EofFlag = true;
    AutoInc = 0;
}

TDataSetState TMemDataSet::TImpl::CurrentState() const
{
    if (ForeignRow)
        return TDataSetState::Browse;
    return InTempState ? TempState : State;
}

void TMemDataSet::TImpl::SetState(TDataSetState state)
{
    if (State == state)
        return;
    State = state;
    Notify(TDataEvent::StateChange);
}

void TMemDataSet::TImpl::Notify(TDataEvent event, TField* field)
{
    if (DisableCount > 0)
        return;
    const std::vector<IDataSetObserver*> observers = Observers;
    for (IDataSetObserver* observer : observers)
        observer->DataEvent(Owner, event, field);
}

void TMemDataSet::TImpl::UpdateRecordViews()
{
    if (DisableCount > 0)
        return;
    const std::vector<IDataSetObserver*> observers = Observers;
    for (IDataSetObserver* observer : observers)
        observer->UpdateRecord(Owner);
}

void TMemDataSet::TImpl::Fire(const TDataSetNotifyEvent& event)
{
    if (event)
        event(Owner);
}

void TMemDataSet::TImpl::CheckActive() const
{
    if (State == TDataSetState::Inactive)
        throw EDatabaseError(ClosedDataSet);
}

// ---- construction, definitions, field objects

TMemDataSet::TMemDataSet(std::string name)
    : m_name(std::move(name))
    , m_impl(std::make_unique<TImpl>(*this))
{
}

TMemDataSet::~TMemDataSet() = default;

TMemFieldDefs& TMemDataSet::FieldsDefinition()
{
    return m_impl->Defs;
}

void TMemDataSet::SetFieldsDefinitionItems(const std::vector<std::string>& items)
{
    if (Active())
        throw EDatabaseError(OpenDataSet);
    TMemFieldDefs defs;
    for (const std::string& item : items) {
        std::vector<std::string> parts = SplitFieldList(item);
        parts.resize(std::max<std::size_t>(parts.size(), 4));
        int type = 1, size = 1, required = 0;
        if (!TryTextToInt(parts[1], type))
            type = 1;
        if (!TryTextToInt(parts[2], size))
            size = 1;
        const bool isRequired = TryTextToInt(parts[3], required) && required == 1;
        defs.Add(parts[0], type, size, isRequired);
    }
    m_impl->Defs = std::move(defs);
}

std::vector<std::string> TMemDataSet::FieldsDefinitionItems() const
{
    std::vector<std::string> items;
    const TMemFieldDefs& defs = m_impl->Defs;
    for (int i = 0; i < defs.Count(); ++i)
        items.push_back(defs[i].Name + ";" + std::to_string(defs[i].DataType) + ";"
            + std::to_string(defs[i].Size) + ";" + (defs[i].Required ? "1" : "0"));
    return items;
}

TField& TMemDataSet::AddField(const std::string& name, TFieldType type, int size)
{
    TImpl& d = *m_impl;
    if (Active())
        throw EDatabaseError(OpenDataSet);
    if (d.DefaultFields) {
        d.FieldList.clear();
        d.DefaultFields = false;
    }
    if (FindField(name))
        throw EDatabaseError("Duplicate field name '" + name + "'");
    d.FieldList.push_back(std::make_unique<TField>(*this, name, type, size));
    d.FieldList.back()->m_index = static_cast<int>(d.FieldList.size()) - 1;
    return *d.FieldList.back();
}

TField& TMemDataSet::AddLookupField(const std::string& name, int size, TMemDataSet& lookupDataSet,
    const std::string& lookupKeyFields, const std::string& lookupResultField,
    const std::string& keyFields)
{
    TImpl& d = *m_impl;
    if (Active())
        throw EDatabaseError(OpenDataSet);
    if (d.DefaultFields) {
        d.FieldList.clear();
        d.DefaultFields = false;
    }
    if (FindField(name))
        throw EDatabaseError("Duplicate field name '" + name + "'");
    d.FieldList.push_back(
        std::make_unique<TField>(*this, name, ftString, size, TFieldKind::Lookup));
    TField& field = *d.FieldList.back();
    field.m_index = static_cast<int>(d.FieldList.size()) - 1;
    field.LookupDataSet = &lookupDataSet;
    field.LookupKeyFields = lookupKeyFields;
    field.LookupResultField = lookupResultField;
    field.KeyFields = keyFields;
    return field;
}

int TMemDataSet::FieldCount() const
{
    return static_cast<int>(m_impl->FieldList.size());
}

TField& TMemDataSet::Fields(int index)
{
    return *m_impl->FieldList.at(index);
}

TField* TMemDataSet::FindField(const std::string& name)
{
    for (auto& field : m_impl->FieldList)
        if (SameText(field->FieldName(), name))
            return field.get();
    return nullptr;
}

TField& TMemDataSet::FieldByName(const std::string& name)
{
    if (TField* field = FindField(name))
        return *field;
    throw EDatabaseError("Field '" + name + "' not found");
}

TVariant TMemDataSet::FieldValues(const std::string& name)
{
    return FieldByName(name).Value();
}

std::vector<TVariant> TMemDataSet::FieldValueArray(const std::string& fieldNames)
{
    std::vector<TVariant> values;
    for (const std::string& name : SplitFieldList(fieldNames))
        values.push_back(FieldByName(name).Value());
    return values;
}

// ---- life cycle

void TMemDataSet::Open()
{
    TImpl& d = *m_impl;
    if (Active())
        return;
    if (d.Defs.Count() == 0)
        for (auto& field : d.FieldList)
            if (field->FieldKind() == TFieldKind::Data)
                d.Defs.Add(field->FieldName(), field->DataType(),
                    field->DataType() == ftString && field->Size() == 0 ? 20 : field->Size());
    for (int i = 0; i < d.Defs.Count(); ++i)
        if (!IsSupportedFieldType(d.Defs[i].DataType))
            throw EDatabaseError("Field '" + d.Defs[i].Name + "' is of an unsupported type");
    d.BindFields();
    for (TRecord* record : d.Natural.ToVector()) {
        if (record->Cells.size() != static_cast<std::size_t>(d.Defs.Count()))
            throw EMemDatasetError(5);
        record->Lookups.resize(d.LookupFields.size());
    }
    d.ResolveIndexes();
    // Settle the view before anybody is told that the table is open.
    d.State = TDataSetState::Browse;
    ++d.DisableCount;
    try {
        if (!d.OrderByText.empty())
            d.ApplyOrderBy();
        else if (!d.IndexName.empty())
            d.SelectIndex(d.IndexName, true);
        if (d.FilteredFlag)
            d.BuildFilter();
    } catch (...) {
        --d.DisableCount;
        d.DropFilter();
        d.Indexes.Current = nullptr;
        d.State = TDataSetState::Inactive;
        d.UnbindFields();
        throw;
    }
    --d.DisableCount;
    d.Cursor = d.View().Empty() ? 0 : 1;
    d.BofFlag = true;
    d.EofFlag = d.View().Empty();
    d.Notify(TDataEvent::StateChange);
    d.Notify(TDataEvent::DataSetChange);
}

void TMemDataSet::Close()
{
    TImpl& d = *m_impl;
    if (!Active())
        return;
    d.DropBuffer();
    d.DropFilter();
    d.Indexes.Current = nullptr;
    d.Cursor = 0;
    d.BofFlag = d.EofFlag = true;
    d.UnbindFields();
    d.SetState(TDataSetState::Inactive);
    if (Options & moEmptyTableOnClose)
        d.EmptyInternal();
}

bool TMemDataSet::Active() const
{
    return m_impl->State != TDataSetState::Inactive;
}

void TMemDataSet::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TMemDataSet::EmptyTable()
{
    TImpl& d = *m_impl;
    if (Active())
        CheckBrowseMode();
    d.EmptyInternal();
    if (Active())
        d.Notify(TDataEvent::DataSetChange);
}

TDataSetState TMemDataSet::State() const
{
    return m_impl->CurrentState();
}

// ---- navigation

void TMemDataSet::First()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    d.Fire(BeforeScroll);
    const int before = d.Cursor;
    d.Cursor = d.View().Empty() ? 0 : 1;
    d.BofFlag = true;
    d.EofFlag = d.View().Empty();
    if (d.Cursor != before)
        d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
}

void TMemDataSet::Last()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    d.Fire(BeforeScroll);
    const int before = d.Cursor;
    d.Cursor = d.View().Count();
    d.EofFlag = true;
    d.BofFlag = d.View().Empty();
    if (d.Cursor != before)
        d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
}

void TMemDataSet::Next()
{
    MoveBy(1);
}

void TMemDataSet::Prior()
{
    MoveBy(-1);
}

int TMemDataSet::MoveBy(int distance)
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    d.Fire(BeforeScroll);
    const int before = d.Cursor;
    const int count = d.View().Count();
    if ((distance > 0 && !d.EofFlag) || (distance < 0 && !d.BofFlag)) {
        d.BofFlag = d.EofFlag = false;
        const long long target = static_cast<long long>(d.Cursor) + distance;
        if (target > count) {
            d.Cursor = count;
            d.EofFlag = true;
        } else if (target < 1) {
            d.Cursor = count > 0 ? 1 : 0;
            d.BofFlag = true;
        } else {
            d.Cursor = static_cast<int>(target);
        }
        if (count == 0)
            d.BofFlag = d.EofFlag = true;
    }
    if (d.Cursor != before)
        d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
    return d.Cursor - before;
}

bool TMemDataSet::Bof() const
{
    return !Active() || m_impl->BofFlag;
}

bool TMemDataSet::Eof() const
{
    return !Active() || m_impl->EofFlag;
}

bool TMemDataSet::IsEmpty() const
{
    if (!Active())
        return true;
    return m_impl->State != TDataSetState::Insert && m_impl->View().Empty();
}

int TMemDataSet::RecordCount() const
{
    return Active() ? m_impl->View().Count() : 0;
}

int TMemDataSet::RecNo() const
{
    if (!Active())
        return 0;
    return m_impl->State == TDataSetState::Insert ? m_impl->InsertRow : m_impl->Cursor;
}

void TMemDataSet::SetRecNo(int recNo)
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    if (recNo == d.Cursor || recNo < 1 || recNo > d.View().Count())
        return;
    d.Fire(BeforeScroll);
    d.Cursor = recNo;
    d.BofFlag = d.EofFlag = false;
    d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
}

int TMemDataSet::RowCount() const
{
    if (!Active())
        return 0;
    return m_impl->View().Count() + (m_impl->State == TDataSetState::Insert ? 1 : 0);
}

// ---- bookmarks

TBookmark TMemDataSet::GetBookmark() const
{
    return Active() && !m_impl->View().Empty() ? m_impl->Cursor : 0;
}

void TMemDataSet::GotoBookmark(TBookmark bookmark)
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    d.Fire(BeforeScroll);
    if (bookmark < 1 || bookmark > d.View().Count())
        throw EDatabaseError("Record not found");
    d.Cursor = bookmark;
    d.BofFlag = d.EofFlag = false;
    d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
}

std::string TMemDataSet::Bookmark() const
{
    const TBookmark bookmark = GetBookmark();
    if (bookmark == 0)
        return {};
    std::string text(sizeof bookmark, '\0');
    std::memcpy(text.data(), &bookmark, sizeof bookmark);
    return text;
}

void TMemDataSet::SetBookmark(const std::string& bookmark)
{
    if (bookmark.empty())
        return;
    TBookmark value = 0;
    if (bookmark.size() != sizeof value) {
        m_impl->CheckActive();
        throw EDatabaseError("Record not found");
    }
    std::memcpy(&value, bookmark.data(), sizeof value);
    GotoBookmark(value);
}

bool TMemDataSet::BookmarkValid(TBookmark bookmark) const
{
    return Active() && bookmark >= 1 && bookmark <= m_impl->View().Count();
}

int TMemDataSet::CompareBookmarks(TBookmark a, TBookmark b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// ---- notifications

void TMemDataSet::DisableControls()
{
    TImpl& d = *m_impl;
    if (d.DisableCount++ == 0)
        d.DisabledState = d.State;
}

void TMemDataSet::EnableControls()
{
    TImpl& d = *m_impl;
    if (d.DisableCount == 0 || --d.DisableCount > 0)
        return;
    if (d.State != d.DisabledState)
        d.Notify(TDataEvent::StateChange);
    if (d.State != TDataSetState::Inactive && d.DisabledState != TDataSetState::Inactive)
        d.Notify(TDataEvent::DataSetChange);
}

bool TMemDataSet::ControlsDisabled() const
{
    return m_impl->DisableCount > 0;
}

void TMemDataSet::AttachObserver(IDataSetObserver* observer)
{
    auto& observers = m_impl->Observers;
    if (observer && std::find(observers.begin(), observers.end(), observer) == observers.end())
        observers.push_back(observer);
}

void TMemDataSet::DetachObserver(IDataSetObserver* observer)
{
    auto& observers = m_impl->Observers;
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

// ---- reading any row of the view

// The record shown in a row of the view: the new record sits at its row while inserting and
// the edit buffer stands for the edited row.
TRecord* TMemDataSet::TImpl::RowRecord(int row, TRowKind& kind)
{
    TImpl& d = *this;
    int index = row - 1;
    if (d.State == TDataSetState::Insert) {
        if (row == d.InsertRow) {
            kind = TRowKind::Buffer;
            return &d.Buffer;
        }
        if (row > d.InsertRow)
            index = row - 2;
    } else if (d.State == TDataSetState::Edit && row == d.Cursor) {
        kind = TRowKind::Buffer;
        return &d.Buffer;
    }
    TRecordList& view = d.View();
    if (d.State == TDataSetState::Inactive || index < 0 || index >= view.Count())
        return nullptr;
    kind = TRowKind::Stored;
    return view[index];
}

TVariant TMemDataSet::ValueAt(int recNo, TField& field)
{
    TImpl& d = *m_impl;
    TRowKind kind = TRowKind::None;
    TRecord* record = d.RowRecord(recNo, kind);
    if (!record)
        return {};
    if (kind == TRowKind::Buffer)
        return field.Value();
    // The cursor's own row reads as usual; any other row reads as browsing.
    const bool foreign = d.State != TDataSetState::Browse || record != d.CurrentRecord();
    TImpl::TReadScope read(d, record, TRowKind::Stored, foreign);
    return field.Value();
}

std::string TMemDataSet::DisplayTextAt(int recNo, TField& field)
{
    TImpl& d = *m_impl;
    TRowKind kind = TRowKind::None;
    TRecord* record = d.RowRecord(recNo, kind);
    if (!record)
        return {};
    if (kind == TRowKind::Buffer)
        return field.DisplayText();
    // The cursor's own row reads as usual; any other row reads as browsing.
    const bool foreign = d.State != TDataSetState::Browse || record != d.CurrentRecord();
    TImpl::TReadScope read(d, record, TRowKind::Stored, foreign);
    return field.DisplayText();
}

int32_t TMemDataSet::AutoIncValue() const
{
    return m_impl->AutoInc;
}
