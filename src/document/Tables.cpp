#include "document/Tables.h"

#include "document/DMTable.h"

TDetailLookups::TDetailLookups(TMemDataSet& dataSet, std::string valueField, std::string keyField)
    : ds(dataSet)
    , m_valueField(std::move(valueField))
    , m_keyField(std::move(keyField))
{
}

int TDetailLookups::Count() const
{
    return ds.RecordCount();
}

std::string TDetailLookups::NameOfKey(int key) const
{
    if (key <= 0)
        return {};
    const TVariant value = ds.Lookup(m_keyField, TVariant(key), m_valueField);
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return {};
}

bool TDetailLookups::MoveTo(int n)
{
    if (n < 1 || n > Count())
        return false;
    const int c = ds.RecNo();
    if (n < c) {
        for (int i = 0; i < c - n; ++i)
            ds.Prior();
    } else if (n > c) {
        for (int i = 0; i < n - c; ++i)
            ds.Next();
    }
    return true;
}

std::string TDetailLookups::NameAt(int n)
{
    if (!MoveTo(n))
        return {};
    TField& field = ds.FieldByName(m_valueField);
    const std::string name = field.AsString();
    return name.empty() ? std::string(" ") : name;
}

int TDetailLookups::KeyAt(int n)
{
    if (!MoveTo(n))
        return -1;
    return ds.FieldByName(m_keyField).AsInteger();
}

int TDetailLookups::PositionOfKey(int key)
{
    return ds.Locate(m_keyField, TVariant(key)) ? ds.RecNo() : 0;
}

std::vector<std::string> TDetailLookups::FillCombo()
{
    std::vector<std::string> items { std::string() };
    TField& field = ds.FieldByName(m_valueField);
    ds.First();
    while (!ds.Eof()) {
        items.push_back(field.AsString());
        ds.Next();
    }
    return items;
}

TDetailLookups& TeamLookups()
{
    return TallivorandaData->TeamsLookup;
}
TDetailLookups& LocationLookups()
{
    return TallivorandaData->LocationsLookup;
}
TDetailLookups& TimeLookups()
{
    return TallivorandaData->TimesLookup;
}
