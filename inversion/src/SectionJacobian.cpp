#include "inversion/SectionJacobian.h"

#include <stdexcept>

namespace inversion {

TWindowedJacobian::TWindowedJacobian(int cellColumns, int cellRows, const std::vector<int> &firstColumn,
                                     const std::vector<int> &lastColumn)
    : FCellColumns(cellColumns), FCellRows(cellRows), FFirstColumn(firstColumn)
{
    if (firstColumn.size() != lastColumn.size())
        throw std::invalid_argument("one window per reading needed");
    FWidth.resize(firstColumn.size());
    FOffset.resize(firstColumn.size());
    std::size_t size = 0;
    for (std::size_t i = 0; i < firstColumn.size(); ++i) {
        if (firstColumn[i] < 0 || lastColumn[i] >= cellColumns || lastColumn[i] < firstColumn[i])
            throw std::invalid_argument("sensitivity window outside the section");
        FWidth[i] = lastColumn[i] - firstColumn[i] + 1;
        FOffset[i] = size;
        size += static_cast<std::size_t>(FWidth[i]) * static_cast<std::size_t>(cellRows);
    }
    FValues.assign(size, 0.0);
}

void TWindowedJacobian::ScaleRow(std::size_t reading, double factor)
{
    double *row = Row(reading);
    for (std::size_t j = 0; j < RowSize(reading); ++j)
        row[j] *= factor;
}

Eigen::VectorXd TWindowedJacobian::Multiply(const Eigen::VectorXd &x) const
{
    Eigen::VectorXd y(Readings());
    for (std::size_t i = 0; i < FFirstColumn.size(); ++i) {
        const double *row = Row(i);
        double sum = 0;
        for (int r = 0; r < FCellRows; ++r) {
            const double *cells = x.data() + static_cast<std::ptrdiff_t>(r) * FCellColumns + FFirstColumn[i];
            const double *values = row + static_cast<std::ptrdiff_t>(r) * FWidth[i];
            for (int c = 0; c < FWidth[i]; ++c)
                sum += values[c] * cells[c];
        }
        y[static_cast<Eigen::Index>(i)] = sum;
    }
    return y;
}

Eigen::VectorXd TWindowedJacobian::MultiplyTransposed(const Eigen::VectorXd &y) const
{
    Eigen::VectorXd x = Eigen::VectorXd::Zero(Cells());
    for (std::size_t i = 0; i < FFirstColumn.size(); ++i) {
        const double *row = Row(i);
        const double factor = y[static_cast<Eigen::Index>(i)];
        for (int r = 0; r < FCellRows; ++r) {
            double *cells = x.data() + static_cast<std::ptrdiff_t>(r) * FCellColumns + FFirstColumn[i];
            const double *values = row + static_cast<std::ptrdiff_t>(r) * FWidth[i];
            for (int c = 0; c < FWidth[i]; ++c)
                cells[c] += factor * values[c];
        }
    }
    return x;
}

Eigen::VectorXd TWindowedJacobian::WeightedColumnSquares(const Eigen::VectorXd &w) const
{
    Eigen::VectorXd diagonal = Eigen::VectorXd::Zero(Cells());
    for (std::size_t i = 0; i < FFirstColumn.size(); ++i) {
        const double *row = Row(i);
        const double weight = w[static_cast<Eigen::Index>(i)];
        for (int r = 0; r < FCellRows; ++r) {
            double *cells = diagonal.data() + static_cast<std::ptrdiff_t>(r) * FCellColumns + FFirstColumn[i];
            const double *values = row + static_cast<std::ptrdiff_t>(r) * FWidth[i];
            for (int c = 0; c < FWidth[i]; ++c)
                cells[c] += weight * values[c] * values[c];
        }
    }
    return diagonal;
}

Eigen::MatrixXd TWindowedJacobian::Dense() const
{
    Eigen::MatrixXd dense = Eigen::MatrixXd::Zero(Readings(), Cells());
    for (std::size_t i = 0; i < FFirstColumn.size(); ++i) {
        const double *row = Row(i);
        for (int r = 0; r < FCellRows; ++r)
            for (int c = 0; c < FWidth[i]; ++c)
                dense(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(r) * FCellColumns + FFirstColumn[i] + c) =
                    row[static_cast<std::size_t>(r) * static_cast<std::size_t>(FWidth[i]) + static_cast<std::size_t>(c)];
    }
    return dense;
}

} // namespace inversion
