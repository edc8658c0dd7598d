// Sensitivities of 2D readings to the cells of the resistivity section, each
// reading's kept only for a window of cell columns around its electrodes (all
// rows of cells): a reading hardly senses the ground far beyond its
// electrodes, and a long roll-along line would need readings x cells numbers
// for the whole matrix.
#pragma once

#include <Eigen/Core>

#include <cstddef>
#include <vector>

namespace inversion {

class TWindowedJacobian {
public:
    TWindowedJacobian() = default;
    // firstColumn[i] to lastColumn[i] (inclusive): the cell columns of
    // reading i's window; every value starts at 0.
    TWindowedJacobian(int cellColumns, int cellRows, const std::vector<int> &firstColumn,
                      const std::vector<int> &lastColumn);

    Eigen::Index Readings() const { return static_cast<Eigen::Index>(FFirstColumn.size()); }
    Eigen::Index Cells() const { return static_cast<Eigen::Index>(FCellColumns) * FCellRows; }
    int CellColumns() const { return FCellColumns; }
    int CellRows() const { return FCellRows; }
    int FirstColumn(std::size_t reading) const { return FFirstColumn[reading]; }
    int LastColumn(std::size_t reading) const { return FFirstColumn[reading] + FWidth[reading] - 1; }
    // Reading i's values: cell row by cell row, each row the window's columns.
    double *Row(std::size_t reading) { return FValues.data() + FOffset[reading]; }
    const double *Row(std::size_t reading) const { return FValues.data() + FOffset[reading]; }
    std::size_t RowSize(std::size_t reading) const { return static_cast<std::size_t>(FWidth[reading]) * FCellRows; }
    // Numbers held (for memory accounting).
    std::size_t Stored() const { return FValues.size(); }

    void ScaleRow(std::size_t reading, double factor);
    // y = J x (x one value per cell, y one per reading).
    Eigen::VectorXd Multiply(const Eigen::VectorXd &x) const;
    // x = J' y.
    Eigen::VectorXd MultiplyTransposed(const Eigen::VectorXd &y) const;
    // The diagonal of J' diag(w) J.
    Eigen::VectorXd WeightedColumnSquares(const Eigen::VectorXd &w) const;
    // The whole matrix, zeros outside the windows.
    Eigen::MatrixXd Dense() const;

private:
    int FCellColumns = 0, FCellRows = 0;
    std::vector<int> FFirstColumn, FWidth;
    std::vector<std::size_t> FOffset;
    std::vector<double> FValues;
};

} // namespace inversion
