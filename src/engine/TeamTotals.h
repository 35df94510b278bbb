#pragma once

#include <cstdint>
#include <vector>

// A table of game counts, one row per team plus the all-teams row, one column per location
// or playing time; rows and columns are 1-based. The assignments measure with Variance how
// evenly a column is spread over the teams, so every Add keeps the column's sums up to date
// and Variance costs the same for any number of rows.
class TTeamTotals {
public:
    TTeamTotals(int rows, int columns);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }

    void Clear();

    // 0 outside the table.
    int32_t Value(int row, int column) const;

    // Adds the signed amount to the cell. Raises ERangeError outside the table and then writes
    // nothing.
    void Add(int row, int column, int32_t amount);

    // Sum of squared deviations from the mean over all rows, the all-teams row included, not
    // divided by the number of rows: Q - S * S / n, with S and Q the integer sums of the values
    // and their squares, evaluated in double. 0 for a column outside the table.
    double Variance(int column) const
    {
        if (column < 1 || column > m_columns)
            return 0;
        return VarianceOf(m_sums[column - 1], m_squares[column - 1]);
    }

    // The same value from a fresh walk down the column, for checking the kept sums.
    double VarianceByRows(int column) const;

private:
    bool Inside(int row, int column) const
    {
        return row >= 1 && row <= m_rows && column >= 1 && column <= m_columns;
    }
    double VarianceOf(int64_t sum, int64_t sumOfSquares) const
    {
        if (m_rows == 0)
            return 0;
        const double s = static_cast<double>(sum);
        return static_cast<double>(sumOfSquares) - s * s / static_cast<double>(m_rows);
    }

    int m_rows;
    int m_columns;
    std::vector<int32_t> m_cells; // row-major, (row - 1) * m_columns + column - 1
    std::vector<int64_t> m_sums; // per column, Σx
    std::vector<int64_t> m_squares; // per column, Σx²
};
