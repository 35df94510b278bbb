#pragma once

#include "document/MemDataSet.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An open table with the given definition texts ("Name;type;size;required").
inline std::unique_ptr<TMemDataSet> OpenTable(
    const std::vector<std::string>& definitions, const std::string& name = "T")
{
    auto table = std::make_unique<TMemDataSet>(name);
    table->SetFieldsDefinitionItems(definitions);
    table->Open();
    return table;
}

using TRowValues = std::initializer_list<std::pair<const char*, TVariant>>;

inline void AppendRow(TMemDataSet& table, TRowValues values)
{
    table.Append();
    for (const auto& [name, value] : values)
        table.FieldByName(name).SetValue(value);
    table.Post();
}

// A column of the view read row by row without moving the cursor.
inline std::vector<int> IntColumn(TMemDataSet& table, const std::string& field)
{
    std::vector<int> values;
    for (int row = 1; row <= table.RowCount(); ++row) {
        const TVariant value = table.ValueAt(row, table.FieldByName(field));
        values.push_back(VarIsNull(value) ? 0 : std::get<int>(value));
    }
    return values;
}

inline std::vector<std::string> TextColumn(TMemDataSet& table, const std::string& field)
{
    std::vector<std::string> values;
    for (int row = 1; row <= table.RowCount(); ++row)
        values.push_back(table.DisplayTextAt(row, table.FieldByName(field)));
    return values;
}

// Records the table's events in the order they fire.
struct TEventLog {
    std::vector<std::string> Items;

    void Wire(TMemDataSet& table)
    {
        auto log = [this](const char* name) {
            return [this, name](TMemDataSet&) { Items.push_back(name); };
        };
        table.BeforeInsert = log("BeforeInsert");
        table.AfterInsert = log("AfterInsert");
        table.OnNewRecord = log("OnNewRecord");
        table.BeforeEdit = log("BeforeEdit");
        table.AfterEdit = log("AfterEdit");
        table.BeforePost = log("BeforePost");
        table.AfterPost = log("AfterPost");
        table.BeforeCancel = log("BeforeCancel");
        table.AfterCancel = log("AfterCancel");
        table.BeforeDelete = log("BeforeDelete");
        table.AfterDelete = log("AfterDelete");
        table.BeforeScroll = log("BeforeScroll");
        table.AfterScroll = log("AfterScroll");
    }
    std::vector<std::string> Take() { return std::exchange(Items, {}); }
};

// Records the notifications an attached view receives.
class TRecordingView : public IDataSetObserver {
public:
    std::vector<std::string> Events;
    int UpdateRecordCalls = 0;
    std::function<void(TMemDataSet&)> OnUpdateRecord;

    void DataEvent(TMemDataSet&, TDataEvent event, TField* field) override
    {
        static const char* const names[]
            = { "FieldChange", "RecordChange", "DataSetChange", "DataSetScroll", "StateChange" };
        std::string text = names[static_cast<int>(event)];
        if (field)
            text += ":" + field->FieldName();
        Events.push_back(text);
    }
    void UpdateRecord(TMemDataSet& dataSet) override
    {
        ++UpdateRecordCalls;
        if (OnUpdateRecord)
            OnUpdateRecord(dataSet);
    }
    std::vector<std::string> Take() { return std::exchange(Events, {}); }
};
