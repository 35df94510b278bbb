// Orders of the in-memory table: comparing records, creating orders by the table's quicksort,
// keeping them sorted, selecting the current order, the filter order and the key searches.

#include "document/MemDataSetImpl.h"

#include "engine/Platform.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

int CompareStrings(
    const std::string& key, const std::string& other, bool caseInsensitive, bool partialKey)
{
    // Zero-terminated byte strings compared as unsigned bytes; a partial key compares only as
    // many characters as the key has. Stored strings hold no zero byte, so the end of the
    // shorter string decides a tie in its favour.
    if (!caseInsensitive) {
        const std::size_t length = partialKey ? key.size() : std::max(key.size(), other.size());
        const std::size_t common = std::min({ length, key.size(), other.size() });
        const int result = std::memcmp(key.data(), other.data(), common);
        if (result != 0)
            return result < 0 ? -1 : 1;
        if (common == length)
            return 0;
        return key.size() > common ? 1 : -1;
    }
    const std::size_t limit = partialKey ? key.size() : std::numeric_limits<std::size_t>::max();
    for (std::size_t i = 0; i < limit; ++i) {
        unsigned a = i < key.size() ? static_cast<unsigned char>(key[i]) : 0u;
        unsigned b = i < other.size() ? static_cast<unsigned char>(other[i]) : 0u;
        if (caseInsensitive) {
            if (a >= 'a' && a <= 'z')
                a -= 'a' - 'A';
            if (b >= 'a' && b <= 'z')
                b -= 'a' - 'A';
        }
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
    return 0;
}

// The order's creation sort. It is not stable: the order of records with equal keys is exactly
// what these steps make of the natural order, and stored schedules rely on it.
void QuickSort(std::vector<TRecord*>& list, int l, int r, const TCompareSpec& spec)
{
    int i = 0;
    do {
        i = l;
        int j = r;
        const TRecord* pivot = list[(l + r) / 2];
        do {
            while (CompareRecords(*list[i], *pivot, spec) < 0)
                ++i;
            while (CompareRecords(*list[j], *pivot, spec) > 0)
                --j;
            if (i <= j) {
                std::swap(list[i], list[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            QuickSort(list, l, j, spec);
        l = i;
    } while (i < r);
}

bool SameFieldNos(const std::vector<int>& orderFields, const std::vector<int>& keys, bool leading)
{
    if (leading ? orderFields.size() < keys.size() : orderFields.size() != keys.size())
        return false;
    return std::equal(keys.begin(), keys.end(), orderFields.begin());
}

} // namespace

int CompareRecords(const TRecord& a, const TRecord& b, const TCompareSpec& spec)
{
    for (std::size_t k = 0; k < spec.Count; ++k) {
        const TCell& x = a.Cells[spec.FieldNos[k]];
        const TCell& y = b.Cells[spec.FieldNos[k]];
        int result = 0;
        switch (spec.Kinds[k]) {
        case TCompareKind::String:
            result = CompareStrings(x.Str, y.Str, spec.CaseInsensitive, spec.PartialKey);
            break;
        case TCompareKind::Integer:
            result = x.Int < y.Int ? -1 : (x.Int > y.Int ? 1 : 0);
            break;
        case TCompareKind::Float:
            result = x.Num < y.Num ? -1 : (x.Num > y.Num ? 1 : 0);
            break;
        case TCompareKind::Equal:
            break;
        }
        if (result != 0)
            return spec.Descending ? -result : result;
    }
    return 0;
}

// ---- TRecordList

int TRecordList::BlockOf(int index) const
{
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), index);
    return static_cast<int>(it - m_starts.begin()) - 1;
}

void TRecordList::Renumber(std::size_t fromBlock)
{
    int start = fromBlock == 0 ? 0 : m_starts[fromBlock - 1] + int(m_blocks[fromBlock - 1].size());
    for (std::size_t b = fromBlock; b < m_blocks.size(); ++b) {
        m_starts[b] = start;
        start += static_cast<int>(m_blocks[b].size());
    }
}

TRecord* TRecordList::operator[](int index) const
{
    const int b = BlockOf(index);
    return m_blocks[b][index - m_starts[b]];
}

void TRecordList::Insert(int index, TRecord* record)
{
    if (m_blocks.empty()) {
        m_blocks.emplace_back();
        m_starts.push_back(0);
    }
    const int b = index >= m_count ? static_cast<int>(m_blocks.size()) - 1 : BlockOf(index);
    auto& block = m_blocks[b];
    block.insert(block.begin() + (index - m_starts[b]), record);
    ++m_count;
    if (block.size() >= 2 * BlockSize) {
        std::vector<TRecord*> upper(block.begin() + BlockSize, block.end());
        block.resize(BlockSize);
        m_blocks.insert(m_blocks.begin() + b + 1, std::move(upper));
        m_starts.insert(m_starts.begin() + b + 1, 0);
    }
    for (std::size_t k = b + 1; k < m_blocks.size(); ++k)
        m_starts[k] = m_starts[k - 1] + static_cast<int>(m_blocks[k - 1].size());
}

void TRecordList::Erase(int index)
{
    const int b = BlockOf(index);
    auto& block = m_blocks[b];
    block.erase(block.begin() + (index - m_starts[b]));
    --m_count;
    if (block.empty()) {
        m_blocks.erase(m_blocks.begin() + b);
        m_starts.erase(m_starts.begin() + b);
    }
    if (static_cast<std::size_t>(b) < m_blocks.size())
        Renumber(b);
}

void TRecordList::Clear()
{
    m_blocks.clear();
    m_starts.clear();
    m_count = 0;
}

int TRecordList::IndexOf(const TRecord* record) const
{
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        const auto& block = m_blocks[b];
        const auto it = std::find(block.begin(), block.end(), record);
        if (it != block.end())
            return m_starts[b] + static_cast<int>(it - block.begin());
    }
    return -1;
}

std::vector<TRecord*> TRecordList::ToVector() const
{
    std::vector<TRecord*> all;
    all.reserve(m_count);
    for (const auto& block : m_blocks)
        all.insert(all.end(), block.begin(), block.end());
    return all;
}

void TRecordList::Assign(const std::vector<TRecord*>& records)
{
    Clear();
    for (std::size_t i = 0; i < records.size(); i += BlockSize) {
        const std::size_t end = std::min(records.size(), i + BlockSize);
        m_blocks.emplace_back(records.begin() + i, records.begin() + end);
        m_starts.push_back(static_cast<int>(i));
    }
    m_count = static_cast<int>(records.size());
}

// ---- TMemIndexDef, TMemIndexDefs

bool TMemIndexDef::Uses(int fieldNo) const
{
    return std::find(FieldNos.begin(), FieldNos.end(), fieldNo) != FieldNos.end();
}

TMemIndexDef* TMemIndexDefs::Find(const std::string& name) const
{
    for (const auto& item : Items)
        if (SameText(item->Name, name))
            return item.get();
    return nullptr;
}

void TMemIndexDefs::Remove(TMemIndexDef* order)
{
    if (Current == order)
        Current = nullptr;
    if (Filter == order)
        Filter = nullptr;
    Items.erase(std::remove_if(Items.begin(), Items.end(),
                    [order](const auto& item) { return item.get() == order; }),
        Items.end());
}

bool IsReservedIndexName(const std::string& name)
{
    return SameText(name, FilterIndexName) || SameText(name, RangeIndexName);
}

// ---- creating and keeping orders

std::vector<int> TMemDataSet::TImpl::ResolveFields(
    const std::string& fieldList, std::vector<TCompareKind>* kinds)
{
    std::vector<int> nos;
    if (fieldList.empty())
        return nos;
    for (const std::string& name : SplitFieldList(fieldList)) {
        const int no = Defs.IndexOf(name);
        if (no < 0)
            throw EDatabaseError("Field '" + name + "' not found");
        nos.push_back(no);
        if (kinds)
            kinds->push_back(CompareKindOf(Defs[no]));
    }
    return nos;
}

TMemIndexDef& TMemDataSet::TImpl::CreateIndex(const std::string& name, const std::string& fields,
    bool descending, bool caseInsensitive, bool isFilter)
{
    if (Indexes.Find(name))
        throw EDatabaseError("Duplicate index name '" + name + "'");
    auto order = std::make_unique<TMemIndexDef>();
    order->Name = name;
    order->Fields = fields;
    order->Descending = descending;
    order->CaseInsensitive = caseInsensitive;
    order->IsFilter = isFilter;
    order->FieldNos = ResolveFields(fields, &order->Kinds);
    if (!isFilter) {
        std::vector<TRecord*> records = Natural.ToVector();
        if (records.size() >= 2)
            QuickSort(records, 0, static_cast<int>(records.size()) - 1, order->Spec());
        order->List.Assign(records);
    }
    Indexes.Items.push_back(std::move(order));
    return *Indexes.Items.back();
}

void TMemDataSet::TImpl::ResolveIndexes()
{
    for (auto& order : Indexes.Items) {
        std::vector<TCompareKind> kinds;
        order->FieldNos = ResolveFields(order->Fields, &kinds);
        order->Kinds = std::move(kinds);
    }
}

int TMemDataSet::TImpl::PlaceRecord(TMemIndexDef& order, TRecord* record)
{
    if (order.IsFilter && !TestFilter(record))
        return -1;
    // After every record with an equal key. Records often come in order: one comparison with
    // the last record finds the same place as the search would.
    const TCompareSpec spec = order.Spec();
    int lo = 0;
    int hi = order.List.Count();
    if (hi > 0 && CompareRecords(*record, *order.List[hi - 1], spec) >= 0)
        lo = hi;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareRecords(*record, *order.List[mid], spec) < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    order.List.Insert(lo, record);
    return lo;
}

int TMemDataSet::TImpl::RemoveRecord(TMemIndexDef& order, TRecord* record)
{
    const int index = FindInList(order.List, &order, record);
    if (index >= 0)
        order.List.Erase(index);
    return index;
}

int TMemDataSet::TImpl::FindInList(
    const TRecordList& list, const TMemIndexDef* order, const TRecord* record)
{
    if (order && !order->FieldNos.empty()) {
        // The record lies among those with its key: find the first of them, then walk on.
        const TCompareSpec spec = order->Spec();
        int lo = 0;
        int hi = list.Count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (CompareRecords(*list[mid], *record, spec) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        for (int i = lo; i < list.Count(); ++i) {
            const TRecord* candidate = list[i];
            if (candidate == record)
                return i;
            if (CompareRecords(*candidate, *record, spec) != 0)
                break;
        }
    }
    return list.IndexOf(record);
}

int TMemDataSet::TImpl::PositionInView(const TRecord* record)
{
    return FindInList(View(), ViewOrder(), record) + 1;
}

void TMemDataSet::TImpl::RepositionOn(TRecord* record)
{
    const int position = record ? PositionInView(record) : 0;
    Cursor = position > 0 ? position : (View().Empty() ? 0 : 1);
    BofFlag = EofFlag = View().Empty();
}

void TMemDataSet::TImpl::SelectIndex(const std::string& name, bool force)
{
    if (IsReservedIndexName(name))
        throw EMemDatasetError(9);
    if (State == TDataSetState::Inactive) {
        IndexName = name;
        return;
    }
    Owner.CheckBrowseMode();
    const bool isCurrent = name.empty() ? Indexes.Current == nullptr
                                        : Indexes.Current && SameText(Indexes.Current->Name, name);
    if (!force && isCurrent && SameText(name, IndexName))
        return;
    TRecord* current = CurrentRecord();
    // A filter is built again over the new order.
    const bool refilter = Indexes.Filter != nullptr;
    if (refilter)
        DropFilter();
    TMemIndexDef* target = name.empty() ? nullptr : Indexes.Find(name);
    Indexes.Current = target;
    IndexName = target ? target->Name : std::string();
    if (refilter)
        BuildFilter();
    RepositionOn(current);
    Notify(TDataEvent::DataSetChange);
    if (!name.empty() && !target)
        throw EMemDatasetError(10);
}

void TMemDataSet::TImpl::OrderByOptions(bool& descending, bool& caseInsensitive) const
{
    caseInsensitive = (Owner.Options & moSetOrderByCaseInsensitive) != 0;
    descending = !caseInsensitive && (Owner.Options & moSetOrderByDescending) != 0;
}

void TMemDataSet::TImpl::ApplyOrderBy()
{
    if (OrderByText.empty()) {
        SelectIndex(std::string(), false);
    } else {
        for (const std::string& name : SplitFieldList(OrderByText))
            if (Defs.IndexOf(name) < 0)
                throw EDatabaseError("Field '" + name + "' not found");
        std::string orderName = OrderByPrefix + OrderByText;
        std::replace(orderName.begin(), orderName.end(), ';', '_');
        TMemIndexDef* order = Indexes.Find(orderName);
        if (!order) {
            bool descending = false, caseInsensitive = false;
            OrderByOptions(descending, caseInsensitive);
            order = &CreateIndex(orderName, OrderByText, descending, caseInsensitive, false);
        }
        SelectIndex(order->Name, false);
        OrderByText = order->Fields;
    }
    if (Owner.Options & moReleaseAutoIndexes)
        ReleaseAutoIndexes();
}

void TMemDataSet::TImpl::ReleaseAutoIndexes()
{
    // The filter order is the view while filtered and is kept.
    std::vector<TMemIndexDef*> discard;
    for (const auto& order : Indexes.Items)
        if (!order->IsFilter && !SameText(order->Name, IndexName))
            discard.push_back(order.get());
    for (TMemIndexDef* order : discard)
        Indexes.Remove(order);
}

// ---- filter

bool TMemDataSet::TImpl::TestFilter(TRecord* record)
{
    bool accept = true;
    TReadScope read(*this, record, TRowKind::Stored, false);
    TTempStateScope filter(*this, TDataSetState::Filter);
    try {
        Owner.OnFilterRecord(Owner, accept);
    } catch (const EAbort&) {
        // Silent, as everywhere; the record keeps the accept value set so far.
    } catch (const std::exception& error) {
        Prompt().ErrorBox(error.what());
    }
    return accept;
}

void TMemDataSet::TImpl::BuildFilter()
{
    if (!Owner.OnFilterRecord || Indexes.Filter)
        return;
    TMemIndexDef* base = Indexes.Current;
    TMemIndexDef& filter = CreateIndex(FilterIndexName, base ? base->Fields : std::string(),
        base && base->Descending, base && base->CaseInsensitive, true);
    std::vector<TRecord*> accepted;
    for (TRecord* record : (base ? base->List : Natural).ToVector())
        if (TestFilter(record))
            accepted.push_back(record);
    filter.List.Assign(accepted);
    Indexes.Filter = &filter;
    Indexes.FilterBaseName = IndexName;
}

void TMemDataSet::TImpl::DropFilter()
{
    if (Indexes.Filter)
        Indexes.Remove(Indexes.Filter);
    Indexes.FilterBaseName.clear();
}

// ---- searches

int TMemDataSet::TImpl::Search(
    const std::string& keyFields, const std::vector<TVariant>& keyValues, TLocateOptions options)
{
    std::vector<int> keys;
    std::vector<TCompareKind> kinds;
    for (const std::string& name : SplitFieldList(keyFields)) {
        const int no = Defs.IndexOf(name);
        if (no < 0) {
            if (Owner.FindField(name))
                throw EMemDatasetError(3);
            throw EDatabaseError("Field '" + name + "' not found");
        }
        keys.push_back(no);
        kinds.push_back(CompareKindOf(Defs[no]));
    }
    Scratch = NewRecord();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const TMemFieldDef& def = Defs[keys[i]];
        TVariant value = i < keyValues.size() ? keyValues[i] : TVariant {};
        Scratch.Cells[keys[i]] = CellFromVariant(def.DataType, def.Size, std::move(value));
    }
    const bool caseInsensitive = (options & loCaseInsensitive) != 0;
    TCompareSpec spec { keys.data(), kinds.data(), keys.size(), caseInsensitive,
        (options & loPartialKey) != 0, false };

    // Binary search for the first record equal to the key; -1 when there is none.
    auto binarySearch = [&](const TMemIndexDef& order) {
        spec.Descending = order.Descending;
        const TRecordList& list = order.List;
        int lo = 0;
        int hi = list.Count();
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            const int result = CompareRecords(Scratch, *list[mid], spec);
            if (result == 0) {
                while (mid > 0 && CompareRecords(Scratch, *list[mid - 1], spec) == 0)
                    --mid;
                return mid;
            }
            if (result < 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        return -1;
    };
    auto fits
        = [&](const TMemIndexDef& order) { return !caseInsensitive || order.CaseInsensitive; };

    const TMemIndexDef* viewOrder = ViewOrder();
    if (viewOrder && SameFieldNos(viewOrder->FieldNos, keys, true) && fits(*viewOrder))
        return binarySearch(*viewOrder) + 1;
    for (const auto& order : Indexes.Items) {
        if (SameFieldNos(order->FieldNos, keys, false) && fits(*order)) {
            const int index = binarySearch(*order);
            return index < 0 ? 0 : PositionInView(order->List[index]);
        }
    }
    spec.Descending = false;
    const TRecordList& view = View();
    for (int i = 0; i < view.Count(); ++i)
        if (CompareRecords(Scratch, *view[i], spec) == 0)
            return i + 1;
    return 0;
}

// ---- public operations on orders, the filter and searches

const std::string& TMemDataSet::OrderBy() const
{
    return m_impl->OrderByText;
}

void TMemDataSet::SetOrderBy(const std::string& fieldList)
{
    TImpl& d = *m_impl;
    if (fieldList == d.OrderByText)
        return;
    const std::string previous = d.OrderByText;
    d.OrderByText = fieldList;
    // A closed table applies its order when it opens.
    if (!Active())
        return;
    try {
        d.ApplyOrderBy();
    } catch (...) {
        d.OrderByText = previous;
        throw;
    }
}

const std::string& TMemDataSet::IndexName() const
{
    return m_impl->IndexName;
}

void TMemDataSet::SetIndexName(const std::string& name)
{
    m_impl->SelectIndex(name, false);
}

void TMemDataSet::AddIndex(
    const std::string& name, const std::string& fields, bool descending, bool caseInsensitive)
{
    if (IsReservedIndexName(name))
        throw EMemDatasetError(9);
    m_impl->CreateIndex(name, fields, descending, caseInsensitive, false);
}

void TMemDataSet::DeleteIndex(const std::string& name)
{
    TImpl& d = *m_impl;
    if (IsReservedIndexName(name))
        throw EMemDatasetError(9);
    TMemIndexDef* order = d.Indexes.Find(name);
    if (!order)
        throw EMemDatasetError(10);
    if (SameText(d.IndexName, order->Name))
        d.SelectIndex(std::string(), false);
    if (SameText(d.OrderByText, order->Fields) && order->Name.rfind(OrderByPrefix, 0) == 0)
        d.OrderByText.clear();
    d.Indexes.Remove(order);
}

std::vector<std::string> TMemDataSet::IndexNames() const
{
    std::vector<std::string> names;
    for (const auto& order : m_impl->Indexes.Items)
        names.push_back(order->Name);
    return names;
}

bool TMemDataSet::Filtered() const
{
    return m_impl->FilteredFlag;
}

void TMemDataSet::SetFiltered(bool filtered)
{
    TImpl& d = *m_impl;
    if (filtered == d.FilteredFlag)
        return;
    if (!Active()) {
        d.FilteredFlag = filtered;
        return;
    }
    CheckBrowseMode();
    d.FilteredFlag = filtered;
    TRecord* current = d.CurrentRecord();
    if (filtered)
        d.BuildFilter();
    else
        d.DropFilter();
    d.RepositionOn(current);
    d.Notify(TDataEvent::DataSetChange);
    First();
}

void TMemDataSet::Refilter()
{
    TImpl& d = *m_impl;
    if (!Active() || !d.FilteredFlag)
        return;
    CheckBrowseMode();
    TRecord* current = d.CurrentRecord();
    d.DropFilter();
    d.BuildFilter();
    d.RepositionOn(current);
    d.Notify(TDataEvent::DataSetChange);
    First();
}

bool TMemDataSet::Locate(
    const std::string& keyFields, const std::vector<TVariant>& keyValues, TLocateOptions options)
{
    TImpl& d = *m_impl;
    d.CheckActive();
    d.Fire(BeforeScroll);
    CheckBrowseMode();
    if (Options & moAddIndexOnLocate) {
        const std::string name = OrderByPrefix + keyFields;
        if (!d.Indexes.Find(name)) {
            bool descending = false, caseInsensitive = false;
            d.OrderByOptions(descending, caseInsensitive);
            d.CreateIndex(name, keyFields, descending, caseInsensitive, false);
        }
    }
    const int position = d.Search(keyFields, keyValues, options);
    if (position == 0)
        return false;
    d.Cursor = position;
    d.BofFlag = d.EofFlag = false;
    d.Notify(TDataEvent::DataSetScroll);
    d.Fire(AfterScroll);
    return true;
}

bool TMemDataSet::Locate(
    const std::string& keyFields, const TVariant& keyValue, TLocateOptions options)
{
    return Locate(keyFields, std::vector<TVariant> { keyValue }, options);
}

TVariant TMemDataSet::Lookup(const std::string& keyFields, const std::vector<TVariant>& keyValues,
    const std::string& resultField)
{
    TImpl& d = *m_impl;
    d.CheckActive();
    CheckBrowseMode();
    if (resultField.find(';') != std::string::npos)
        throw EMemDatasetError(1);
    if (!FindField(resultField) && d.Defs.IndexOf(resultField) < 0)
        throw EDatabaseError("Field '" + resultField + "' not found");
    const int position = d.Search(keyFields, keyValues, 0);
    if (position == 0)
        return {};
    return d.ReadByName(*d.View()[position - 1], resultField);
}

TVariant TMemDataSet::Lookup(
    const std::string& keyFields, const TVariant& keyValue, const std::string& resultField)
{
    return Lookup(keyFields, std::vector<TVariant> { keyValue }, resultField);
}
