// Field definitions, field objects and the conversions between stored values and the values
// callers read and write.

#include "document/MemDataSetImpl.h"

#include "engine/Utf8.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

enum class TStoreKind { Text, Integer, Float, None };

TStoreKind StoreKindOf(int dataType)
{
    switch (dataType) {
    case ftString:
    case ftBytes:
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
        return TStoreKind::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftBoolean:
    case ftDate:
    case ftTime:
    case ftAutoInc:
        return TStoreKind::Integer;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDateTime:
        return TStoreKind::Float;
    default:
        return TStoreKind::None;
    }
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Decimal integer with optional leading blanks and sign, nothing after the digits.
bool TryParseInteger(const std::string& text, int64_t& result)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(1) << 40)
            return false;
    }
    result = negative ? -value : value;
    return true;
}

int32_t ParseInt32(const std::string& text)
{
    int64_t value = 0;
    if (!TryParseInteger(text, value) || value < std::numeric_limits<int32_t>::min()
        || value > std::numeric_limits<int32_t>::max())
        throw EConvertError(Quoted(text) + " is not a valid integer value");
    return static_cast<int32_t>(value);
}

double ParseFloat(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    while (end && *end == ' ')
        ++end;
    if (text.empty() || end == begin || *end != '\0' || errno == ERANGE)
        throw EConvertError(Quoted(text) + " is not a valid floating point value");
    return value;
}

bool ParseBoolean(const std::string& text)
{
    std::string upper;
    for (char c : text)
        upper += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    if (upper == "TRUE" || upper == "T" || upper == "YES" || upper == "Y" || upper == "1")
        return true;
    if (upper == "FALSE" || upper == "F" || upper == "NO" || upper == "N" || upper == "0")
        return false;
    throw EConvertError(Quoted(text) + " is not a valid boolean value");
}

// Reads "yyyy-mm-dd", "hh:nn[:ss[.zzz]]" or both separated by a blank.
bool TryParseDateTimeText(const std::string& text, TDateTime& result)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    char tail = 0;
    TDateTime date = 0, time = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d.%d%c", &y, &mo, &d, &h, &mi, &s, &ms, &tail)
            == 7
        || std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) == 6
        || std::sscanf(text.c_str(), "%d-%d-%d %d:%d%c", &y, &mo, &d, &h, &mi, &tail) == 5
        || std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &mo, &d, &tail) == 3) {
        if (!TryEncodeDate(y, mo, d, date) || !TryEncodeTime(h, mi, s, ms, time))
            return false;
        result = date < 0 ? date - time : date + time;
        return true;
    }
    if (std::sscanf(text.c_str(), "%d:%d:%d.%d%c", &h, &mi, &s, &ms, &tail) == 4
        || std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &mi, &s, &tail) == 3
        || std::sscanf(text.c_str(), "%d:%d%c", &h, &mi, &tail) == 2)
        return TryEncodeTime(h, mi, s, ms, result);
    return false;
}

TDateTime ParseDateTime(int dataType, const std::string& text)
{
    TDateTime value = 0;
    if (TryParseDateTimeText(text, value))
        return value;
    const char* what = dataType == ftDate ? " is not a valid date"
        : dataType == ftTime              ? " is not a valid time"
                                          : " is not a valid date and time";
    throw EConvertError(Quoted(text) + what);
}

std::string FloatText(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string TwoDigits(int value)
{
    return std::string(1, char('0' + value / 10 % 10)) + char('0' + value % 10);
}

std::string DateText(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return text;
}

std::string TimeText(TDateTime value)
{
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    return TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
}

double NumberOf(const TVariant& value, int dataType)
{
    if (const int* i = std::get_if<int>(&value))
        return *i;
    if (const double* d = std::get_if<double>(&value))
        return *d;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    const std::string& text = std::get<std::string>(value);
    if (dataType == ftDate || dataType == ftTime || dataType == ftDateTime)
        return ParseDateTime(dataType, text);
    return ParseFloat(text);
}

int32_t IntegerOf(const TVariant& value)
{
    if (const int* i = std::get_if<int>(&value))
        return *i;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    if (const double* d = std::get_if<double>(&value)) {
        const double rounded = std::nearbyint(*d); // to even, like the toolkit's rounding
        if (!(rounded >= std::numeric_limits<int32_t>::min()
                && rounded <= std::numeric_limits<int32_t>::max()))
            throw EConvertError(Quoted(FloatText(*d)) + " is not a valid integer value");
        return static_cast<int32_t>(rounded);
    }
    return ParseInt32(std::get<std::string>(value));
}

// A string field holds one line of at most size characters, zero-terminated as stored.
void MakeStringFieldText(std::string& text, int size)
{
    const std::size_t limit = static_cast<std::size_t>(size < 0 ? 0 : size);
    std::size_t characters = 0;
    bool clean = true;
    for (char c : text) {
        if (c == '\0' || c == '\r' || c == '\n')
            clean = false;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    if (clean && characters <= limit)
        return;
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    text = Utf8Left(text, limit);
}

const char* TypeName(int dataType)
{
    static const char* const names[]
        = { "Unknown", "String", "SmallInt", "Integer", "Word", "Boolean", "Float", "Currency",
              "BCD", "Date", "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo",
              "Graphic", "FmtMemo", "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor" };
    return dataType >= 0 && dataType <= ftCursor ? names[dataType] : "Unknown";
}

} // namespace

// ---- helpers shared by the table's files

bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = char(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::vector<std::string> SplitFieldList(const std::string& list)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = list.find(';', start);
        names.push_back(list.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return names;
}

bool IsSupportedFieldType(int dataType)
{
    return dataType == ftCursor || StoreKindOf(dataType) != TStoreKind::None;
}

TCompareKind CompareKindOf(const TMemFieldDef& def)
{
    switch (def.DataType) {
    case ftString:
    case ftBytes:
    case ftMemo:
        return TCompareKind::String;
    case ftBlob:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftCursor:
        return TCompareKind::Equal;
    default:
        break;
    }
    switch (StoreKindOf(def.DataType)) {
    case TStoreKind::Integer:
        return TCompareKind::Integer;
    case TStoreKind::Float:
        return TCompareKind::Float;
    default:
        throw EDatabaseError("Field '" + def.Name + "' is of an unsupported type");
    }
}

TCell CellFromVariant(int dataType, int size, TVariant&& value)
{
    TCell cell;
    if (VarIsNull(value))
        return cell;
    std::string* text = std::get_if<std::string>(&value);
    switch (StoreKindOf(dataType)) {
    case TStoreKind::Text:
        cell.Str = text ? std::move(*text) : TextFromVariant(ftString, value);
        if (dataType == ftString)
            MakeStringFieldText(cell.Str, size);
        break;
    case TStoreKind::Integer:
        if (text && text->empty())
            return cell;
        if (dataType == ftDate || dataType == ftTime) {
            const TTimeStamp stamp = DateTimeToTimeStamp(NumberOf(value, dataType));
            cell.Int = dataType == ftDate ? stamp.Date : stamp.Time;
        } else if (dataType == ftBoolean) {
            cell.Int = text ? ParseBoolean(*text) : IntegerOf(value) != 0;
        } else {
            cell.Int = IntegerOf(value);
            if (dataType == ftSmallint)
                cell.Int = static_cast<int16_t>(cell.Int);
            else if (dataType == ftWord)
                cell.Int = static_cast<uint16_t>(cell.Int);
        }
        break;
    case TStoreKind::Float:
        if (text && text->empty())
            return cell;
        cell.Num = NumberOf(value, dataType);
        if (dataType == ftDateTime) {
            const TTimeStamp stamp = DateTimeToTimeStamp(cell.Num);
            cell.Num = static_cast<double>(stamp.Date) * MSecsPerDay + stamp.Time;
        }
        break;
    case TStoreKind::None:
        return cell;
    }
    cell.HasValue = true;
    return cell;
}

TVariant VariantFromCell(int dataType, const TCell& cell)
{
    if (!cell.HasValue)
        return {};
    switch (dataType) {
    case ftBoolean:
        return cell.Int != 0;
    case ftDate:
        return static_cast<double>(cell.Int - DateDelta);
    case ftTime:
        return cell.Int / MSecsPerDay;
    case ftDateTime: {
        const double days = std::floor(cell.Num / MSecsPerDay);
        const TTimeStamp stamp { static_cast<int32_t>(days),
            static_cast<int32_t>(cell.Num - days * MSecsPerDay) };
        return TimeStampToDateTime(stamp);
    }
    default:
        break;
    }
    switch (StoreKindOf(dataType)) {
    case TStoreKind::Text:
        return cell.Str;
    case TStoreKind::Integer:
        return static_cast<int>(cell.Int);
    case TStoreKind::Float:
        return cell.Num;
    case TStoreKind::None:
        break;
    }
    return {};
}

std::string TextFromVariant(int dataType, const TVariant& value)
{
    if (VarIsNull(value))
        return {};
    if (const std::string* text = std::get_if<std::string>(&value))
        return *text;
    if (const int* i = std::get_if<int>(&value))
        return std::to_string(*i);
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? "True" : "False";
    const double d = std::get<double>(value);
    switch (dataType) {
    case ftDate:
        return DateText(d);
    case ftTime:
        return TimeText(d);
    case ftDateTime:
        return TimeOf(d) == 0 ? DateText(d) : DateText(d) + " " + TimeText(d);
    default:
        return FloatText(d);
    }
}

// ---- EMemDatasetError

EMemDatasetError::EMemDatasetError(int code)
    : EDatabaseError(TextOf(code))
    , m_code(code)
{
}

std::string EMemDatasetError::TextOf(int code)
{
    switch (code) {
    case 1:
        return "Unsupported function";
    case 3:
        return "Field to index not found";
    case 4:
        return "Index undefined";
    case 5:
        return "Field structure mismatch";
    case 6:
        return "Active range";
    case 7:
        return "Active filter";
    case 8:
        return "Dataset is indexed or filtered";
    case 9:
        return "System index: Internal use only";
    case 10:
        return "Index does not exist";
    default:
        return "Undefined error";
    }
}

// ---- TMemFieldDefs

TMemFieldDef& TMemFieldDefs::Add(const std::string& name, int dataType, int size, bool required)
{
    if (IndexOf(name) >= 0)
        throw EDatabaseError("Duplicate field name '" + name + "'");
    m_items.push_back({ name, dataType, size, required });
    return m_items.back();
}

int TMemFieldDefs::IndexOf(const std::string& name) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (SameText(m_items[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

// ---- TField

TField::TField(
    TMemDataSet& dataSet, std::string fieldName, TFieldType dataType, int size, TFieldKind kind)
    : m_dataSet(&dataSet)
    , m_fieldName(std::move(fieldName))
    , m_dataType(dataType)
    , m_size(size)
    , m_kind(kind)
{
}

int TField::EffectiveDisplayWidth() const
{
    if (DisplayWidth > 0)
        return DisplayWidth;
    switch (m_dataType) {
    case ftString:
    case ftBytes:
        return m_size;
    case ftSmallint:
        return 6;
    case ftWord:
    case ftBoolean:
        return 5;
    case ftInteger:
    case ftAutoInc:
        return 11;
    case ftDate:
        return 10;
    case ftTime:
        return 8;
    case ftDateTime:
        return 19;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return 10;
    default:
        return 10;
    }
}

bool TField::IsNull() const
{
    return VarIsNull(Value());
}

TVariant TField::Value() const
{
    return m_dataSet->m_impl->ReadField(*this);
}

std::string TField::AsString() const
{
    return TextFromVariant(m_dataType, Value());
}

int TField::AsInteger() const
{
    const TVariant value = Value();
    return VarIsNull(value) ? 0 : IntegerOf(value);
}

double TField::AsFloat() const
{
    const TVariant value = Value();
    return VarIsNull(value) ? 0 : NumberOf(value, ftFloat);
}

TDateTime TField::AsDateTime() const
{
    const TVariant value = Value();
    return VarIsNull(value) ? 0 : NumberOf(value, ftDateTime);
}

bool TField::AsBoolean() const
{
    const TVariant value = Value();
    if (VarIsNull(value))
        return false;
    if (const std::string* text = std::get_if<std::string>(&value))
        return ParseBoolean(*text);
    return NumberOf(value, ftFloat) != 0;
}

std::string TField::Text() const
{
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField&>(*this), text, false);
        return text;
    }
    return AsString();
}

std::string TField::DisplayText() const
{
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField&>(*this), text, true);
        return text;
    }
    return AsString();
}

void TField::SetValue(const TVariant& value)
{
    m_dataSet->m_impl->WriteField(*this, value);
}

void TField::SetAsString(const std::string& value)
{
    SetValue(value);
}

void TField::SetAsInteger(int value)
{
    SetValue(value);
}

void TField::SetAsFloat(double value)
{
    SetValue(value);
}

void TField::SetAsDateTime(TDateTime value)
{
    // A text field takes the date-time's text rather than the bare number.
    if (StoreKindOf(m_dataType) == TStoreKind::Text)
        SetValue(TextFromVariant(ftDateTime, value));
    else
        SetValue(value);
}

void TField::SetAsBoolean(bool value)
{
    SetValue(value);
}

void TField::Clear()
{
    SetValue(TVariant {});
}

// ---- binding field objects to definitions

void TMemDataSet::TImpl::BindFields()
{
    if (FieldList.empty() || DefaultFields) {
        bool same = DefaultFields && FieldList.size() == static_cast<std::size_t>(Defs.Count());
        for (int i = 0; same && i < Defs.Count(); ++i)
            same = SameText(FieldList[i]->FieldName(), Defs[i].Name)
                && FieldList[i]->DataType() == Defs[i].DataType;
        if (!same) {
            FieldList.clear();
            for (int i = 0; i < Defs.Count(); ++i)
                FieldList.push_back(std::make_unique<TField>(
                    Owner, Defs[i].Name, static_cast<TFieldType>(Defs[i].DataType), Defs[i].Size));
            DefaultFields = true;
        }
    }
    auto integral = [](int type) {
        return type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc;
    };
    LookupFields.clear();
    for (std::size_t i = 0; i < FieldList.size(); ++i) {
        TField& field = *FieldList[i];
        field.m_index = static_cast<int>(i);
        if (field.FieldKind() == TFieldKind::Lookup) {
            field.m_lookupNo = static_cast<int>(LookupFields.size());
            LookupFields.push_back(&field);
            continue;
        }
        const int no = Defs.IndexOf(field.FieldName());
        if (no < 0)
            throw EDatabaseError("Field '" + field.FieldName() + "' not found");
        const int defType = Defs[no].DataType;
        if (defType != field.DataType() && !(integral(defType) && integral(field.DataType())))
            throw EDatabaseError("Type mismatch for field '" + field.FieldName()
                + "', expecting: " + TypeName(field.DataType()) + " actual: " + TypeName(defType));
        field.m_fieldNo = no;
        if (defType == ftString)
            field.m_size = Defs[no].Size;
    }
}

void TMemDataSet::TImpl::UnbindFields()
{
    for (auto& field : FieldList)
        field->m_fieldNo = -1;
}

// ---- reading and writing through field objects

TVariant TMemDataSet::TImpl::ReadField(const TField& field)
{
    TRowKind kind = TRowKind::None;
    TRecord* record = ActiveRecord(kind);
    if (!record)
        return {};
    if (field.FieldKind() == TFieldKind::Lookup) {
        // Lookup values are not available to the filter callback.
        if (CurrentState() == TDataSetState::Filter || field.m_lookupNo < 0
            || field.m_lookupNo >= static_cast<int>(record->Lookups.size()))
            return {};
        return VariantFromCell(ftString, record->Lookups[field.m_lookupNo]);
    }
    if (field.m_fieldNo < 0)
        return {};
    return VariantFromCell(Defs[field.m_fieldNo].DataType, record->Cells[field.m_fieldNo]);
}

void TMemDataSet::TImpl::WriteField(TField& field, TVariant value)
{
    const TDataSetState state = CurrentState();
    TRowKind kind = TRowKind::None;
    TRecord* record = ActiveRecord(kind);
    const bool writableState = state == TDataSetState::Edit || state == TDataSetState::Insert
        || state == TDataSetState::Filter || state == TDataSetState::CalcFields;
    if (!writableState || !record || (kind != TRowKind::Buffer && kind != TRowKind::Scratch))
        throw EDatabaseError("Dataset not in edit or insert mode");
    if (field.FieldKind() == TFieldKind::Lookup) {
        if (field.m_lookupNo >= 0 && field.m_lookupNo < static_cast<int>(record->Lookups.size()))
            record->Lookups[field.m_lookupNo]
                = CellFromVariant(ftString, field.Size(), std::move(value));
        return;
    }
    if (field.m_fieldNo < 0)
        throw EDatabaseError("Field '" + field.FieldName() + "' not found");
    const TMemFieldDef& def = Defs[field.m_fieldNo];
    TCell& cell = record->Cells[field.m_fieldNo];
    TCell fresh = CellFromVariant(def.DataType, def.Size, std::move(value));
    if (kind == TRowKind::Scratch || !field.OnValidate) {
        cell = std::move(fresh);
        if (kind == TRowKind::Scratch)
            return;
    } else {
        // The validation handler reads the proposed value; rejecting it restores the old one.
        std::swap(cell, fresh);
        try {
            field.OnValidate(field);
        } catch (...) {
            record->Cells[field.m_fieldNo] = std::move(fresh);
            throw;
        }
    }
    if (state != TDataSetState::Edit && state != TDataSetState::Insert)
        return;
    ModifiedFlag = true;
    std::vector<TField*> changedLookups;
    if (!LookupFields.empty())
        ComputeLookups(&changedLookups);
    Notify(TDataEvent::FieldChange, &field);
    for (TField* lookup : changedLookups)
        Notify(TDataEvent::FieldChange, lookup);
}

void TMemDataSet::TImpl::ComputeLookups(std::vector<TField*>* changed)
{
    if (LookupFields.empty())
        return;
    TReadScope read(*this, &Buffer, TRowKind::Buffer, false);
    TTempStateScope calc(*this, TDataSetState::CalcFields);
    for (TField* field : LookupFields) {
        TVariant result;
        if (field->LookupDataSet && field->LookupDataSet->Active()) {
            std::vector<TVariant> keys;
            for (const std::string& name : SplitFieldList(field->KeyFields))
                keys.push_back(Owner.FieldByName(name).Value());
            result = field->LookupDataSet->Lookup(
                field->LookupKeyFields, keys, field->LookupResultField);
        }
        TCell cell = CellFromVariant(ftString, field->Size(), std::move(result));
        TCell& slot = Buffer.Lookups[field->m_lookupNo];
        if (changed && (slot.HasValue != cell.HasValue || slot.Str != cell.Str))
            changed->push_back(field);
        slot = std::move(cell);
    }
}

TVariant TMemDataSet::TImpl::ReadByName(TRecord& record, const std::string& name)
{
    TField* field = Owner.FindField(name);
    if (field) {
        TReadScope read(*this, &record, TRowKind::Stored, true);
        return field->Value();
    }
    const int no = Defs.IndexOf(name);
    if (no < 0)
        throw EDatabaseError("Field '" + name + "' not found");
    return VariantFromCell(Defs[no].DataType, record.Cells[no]);
}
