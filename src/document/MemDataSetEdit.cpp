// The edit cycle of the in-memory table: insert, append, edit, post, cancel and delete, with
// their events, the storing of posted records and the autoinc numbering.

#include "document/MemDataSetImpl.h"

#include <algorithm>

void TMemDataSet::TImpl::DropBuffer()
{
    // A cancelled insert gives its autoinc number back.
    if (State == TDataSetState::Insert && DrewAutoInc)
        --AutoInc;
    DrewAutoInc = false;
    Buffer = TRecord();
    EditRecord = nullptr;
    ModifiedFlag = false;
}

void TMemDataSet::TImpl::BeginInsert(bool append)
{
    CheckActive();
    Owner.CheckBrowseMode();
    Fire(Owner.BeforeInsert);
    Fire(Owner.BeforeScroll);
    const int count = View().Count();
    InsertPos = append ? count + 1 : Cursor;
    InsertRow = append ? count + 1 : std::max(Cursor, 1);
    Appending = append;
    Buffer = NewRecord();
    EditRecord = nullptr;
    DrewAutoInc = false;
    for (int i = 0; i < Defs.Count(); ++i) {
        if (Defs[i].DataType == ftAutoInc) {
            Buffer.Cells[i].Int = ++AutoInc;
            Buffer.Cells[i].HasValue = true;
            DrewAutoInc = true;
        }
    }
    ModifiedFlag = false;
    SetState(TDataSetState::Insert);
    Notify(TDataEvent::DataSetChange);
    try {
        Fire(Owner.OnNewRecord);
    } catch (...) {
        DropBuffer();
        if (Appending)
            Cursor = View().Count();
        SetState(TDataSetState::Browse);
        Notify(TDataEvent::DataSetChange);
        throw;
    }
    ModifiedFlag = false;
    Fire(Owner.AfterInsert);
    Fire(Owner.AfterScroll);
}

void TMemDataSet::TImpl::SetCursorAfterStore(int viewIndex)
{
    // viewIndex: the record's new index in the view, -1 when the view refused it.
    const int count = View().Count();
    if (viewIndex >= 0)
        Cursor = viewIndex + 1;
    else
        Cursor = count > 0 ? 1 : 0;
    BofFlag = EofFlag = count == 0;
}

void TMemDataSet::TImpl::StoreEdit()
{
    TRecord* record = EditRecord ? EditRecord : CurrentRecord();
    if (!record)
        return;
    std::vector<TMemIndexDef*> affected;
    for (const auto& order : Indexes.Items) {
        for (int no : order->FieldNos) {
            if (!SameCellValue(record->Cells[no], Buffer.Cells[no])) {
                affected.push_back(order.get());
                break;
            }
        }
    }
    // Taken out under the old values, placed again under the new ones.
    for (TMemIndexDef* order : affected)
        RemoveRecord(*order, record);
    record->Cells = std::move(Buffer.Cells);
    record->Lookups = std::move(Buffer.Lookups);
    const TMemIndexDef* viewOrder = ViewOrder();
    bool moved = false;
    int viewIndex = -1;
    for (TMemIndexDef* order : affected) {
        const int index = PlaceRecord(*order, record);
        if (order == viewOrder) {
            moved = true;
            viewIndex = index;
        }
    }
    if (moved)
        SetCursorAfterStore(viewIndex);
}

void TMemDataSet::TImpl::StoreInsert()
{
    TRecord* record = new TRecord(std::move(Buffer));
    const int count = Natural.Count();
    const int index = Appending || InsertPos <= 0 ? count : std::min(InsertPos - 1, count);
    Natural.Insert(index, record);
    const TMemIndexDef* viewOrder = ViewOrder();
    int viewIndex = viewOrder ? -1 : index;
    std::vector<TMemIndexDef*> orders;
    for (const auto& order : Indexes.Items)
        orders.push_back(order.get());
    for (TMemIndexDef* order : orders) {
        const int placed = PlaceRecord(*order, record);
        if (order == viewOrder)
            viewIndex = placed;
    }
    SetCursorAfterStore(viewIndex);
}

void TMemDataSet::TImpl::PostInternal()
{
    Fire(Owner.BeforePost);
    if (!Editing())
        return;
    if (State == TDataSetState::Edit)
        StoreEdit();
    else
        StoreInsert();
    Buffer = TRecord();
    EditRecord = nullptr;
    DrewAutoInc = false;
    ModifiedFlag = false;
    SetState(TDataSetState::Browse);
    Notify(TDataEvent::DataSetChange);
    Fire(Owner.AfterPost);
}

void TMemDataSet::TImpl::CancelInternal()
{
    const bool inserting = State == TDataSetState::Insert;
    Fire(Owner.BeforeCancel);
    if (inserting)
        Fire(Owner.BeforeScroll);
    const bool appending = Appending;
    DropBuffer();
    const int count = View().Count();
    if (inserting && appending)
        Cursor = count;
    BofFlag = EofFlag = count == 0;
    SetState(TDataSetState::Browse);
    Notify(inserting ? TDataEvent::DataSetChange : TDataEvent::RecordChange);
    Fire(Owner.AfterCancel);
    if (inserting)
        Fire(Owner.AfterScroll);
}

// ---- public edit cycle

void TMemDataSet::Insert()
{
    m_impl->BeginInsert(false);
}

void TMemDataSet::Append()
{
    m_impl->BeginInsert(true);
}

void TMemDataSet::Edit()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    if (d.Editing())
        return;
    if (d.View().Empty()) {
        d.BeginInsert(false);
        return;
    }
    d.Fire(BeforeEdit);
    d.EditRecord = d.CurrentRecord();
    d.Buffer = *d.EditRecord;
    d.ComputeLookups(nullptr);
    d.ModifiedFlag = false;
    d.SetState(TDataSetState::Edit);
    d.Notify(TDataEvent::RecordChange);
    d.Fire(AfterEdit);
}

void TMemDataSet::Post()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    if (d.Editing())
        d.UpdateRecordViews();
    if (!d.Editing())
        throw EDatabaseError("Dataset not in edit or insert mode");
    d.PostInternal();
}

void TMemDataSet::Cancel()
{
    TImpl& d = *m_impl;
    if (d.Editing())
        d.CancelInternal();
}

void TMemDataSet::Delete()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    if (d.State == TDataSetState::Insert) {
        Cancel();
        return;
    }
    if (d.View().Empty())
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    d.Fire(BeforeDelete);
    d.Fire(BeforeScroll);
    TRecord* record
        = d.State == TDataSetState::Edit && d.EditRecord ? d.EditRecord : d.CurrentRecord();
    if (!record)
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    // The natural list is the view when no order is current: the index is then the cursor's.
    int natural = -1;
    if (!d.ViewOrder() && d.Cursor >= 1 && d.Natural[d.Cursor - 1] == record)
        natural = d.Cursor - 1;
    else
        natural = d.Natural.IndexOf(record);
    if (natural >= 0)
        d.Natural.Erase(natural);
    for (const auto& order : d.Indexes.Items)
        d.RemoveRecord(*order, record);
    delete record;
    d.Buffer = TRecord();
    d.EditRecord = nullptr;
    d.ModifiedFlag = false;
    const int count = d.View().Count();
    if (d.Cursor > count)
        d.Cursor = count;
    d.BofFlag = d.EofFlag = count == 0;
    d.SetState(TDataSetState::Browse);
    d.Notify(TDataEvent::DataSetChange);
    d.Fire(AfterDelete);
    d.Fire(AfterScroll);
}

void TMemDataSet::CheckBrowseMode()
{
    TImpl& d = *m_impl;
    d.CheckActive();
    if (!d.Editing())
        return;
    d.UpdateRecordViews();
    if (!d.Editing())
        return;
    if (d.ModifiedFlag)
        d.PostInternal();
    else
        d.CancelInternal();
}

bool TMemDataSet::Modified() const
{
    return m_impl->Editing() && m_impl->ModifiedFlag;
}
