#pragma once

#include "document/MemDataSet.h"

#include <string>
#include <vector>

// Lookups over one detail list (teams, locations or times): names, keys and positions. The
// detail editor of each list holds one; the engine, summaries and dialogs use them to turn
// team, location and time numbers into names. Positions are 1-based in the table's order.
class TDetailLookups {
public:
    TDetailLookups(TMemDataSet& dataSet, std::string valueField, std::string keyField);

    TMemDataSet& ds;

    int Count() const;
    // Without moving the cursor; empty for a key of 0 or less, an unknown key or a null value.
    std::string NameOfKey(int key) const;
    // Move the cursor to row n, stepping from the current row; " " for a null value.
    std::string NameAt(int n);
    int KeyAt(int n);
    // Locates the key (moving the cursor there); 0 when no row has it.
    int PositionOfKey(int key);
    // An empty item, then one item per row (the cursor ends past the last row).
    std::vector<std::string> FillCombo();

    const std::string& ValueFieldName() const { return m_valueField; }
    const std::string& KeyFieldName() const { return m_keyField; }

private:
    bool MoveTo(int n);

    std::string m_valueField;
    std::string m_keyField;
};

// The lookups of the three lists of the schedule document, created with it.
TDetailLookups& TeamLookups();
TDetailLookups& LocationLookups();
TDetailLookups& TimeLookups();
