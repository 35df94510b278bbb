#include "engine/TeamTotals.h"

#include "engine/Exceptions.h"

#include <algorithm>

TTeamTotals::TTeamTotals(int rows, int columns)
    : m_rows(std::max(rows, 0))
    , m_columns(std::max(columns, 0))
    , m_cells(static_cast<std::size_t>(m_rows) * m_columns, 0)
    , m_sums(m_columns, 0)
    , m_squares(m_columns, 0)
{
}

void TTeamTotals::Clear()
{
    std::fill(m_cells.begin(), m_cells.end(), 0);
    std::fill(m_sums.begin(), m_sums.end(), 0);
    std::fill(m_squares.begin(), m_squares.end(), 0);
}

int32_t TTeamTotals::Value(int row, int column) const
{
    if (!Inside(row, column))
        return 0;
    return m_cells[static_cast<std::size_t>(row - 1) * m_columns + column - 1];
}

void TTeamTotals::Add(int row, int column, int32_t amount)
{
    if (!Inside(row, column))
        throw ERangeError();
    int32_t& cell = m_cells[static_cast<std::size_t>(row - 1) * m_columns + column - 1];
    const int64_t before = cell;
    const int64_t after = before + amount;
    cell = static_cast<int32_t>(after);
    m_sums[column - 1] += amount;
    m_squares[column - 1] += after * after - before * before;
}

double TTeamTotals::VarianceByRows(int column) const
{
    if (column < 1 || column > m_columns)
        return 0;
    int64_t sum = 0;
    int64_t squares = 0;
    for (int row = 1; row <= m_rows; ++row) {
        const int64_t x = Value(row, column);
        sum += x;
        squares += x * x;
    }
    return VarianceOf(sum, squares);
}
