#include "DataRange.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace meshinterp {
namespace {

double LargestMagnitude(std::span<const double> values) {
  double largest = 0;
  for (double v : values) largest = std::max(largest, std::fabs(v));
  return largest;
}

// The exponent that brings `largest` to [1, 2), or 0 when it already lies
// within 2^-limit to 2^limit (or is 0).
int ExponentOutside(double largest, int limit) {
  if (largest == 0) return 0;
  const int exponent = std::ilogb(largest);
  return exponent < -limit || exponent > limit ? exponent : 0;
}

}  // namespace

DataScaling ChooseScaling(std::span<const double> x, std::span<const double> y, std::span<const double> values) {
  const double coordinates = std::max(LargestMagnitude(x), LargestMagnitude(y));
  return {ExponentOutside(coordinates, kOrdinaryCoordinateExponent),
          ExponentOutside(LargestMagnitude(values), kOrdinaryValueExponent)};
}

void PostBeyondResolution(ErrorFacility& errors, std::string_view why) {
  std::string message = "The range of the data is beyond what the method can resolve: ";
  message += why;
  message += '.';
  errors.Post(ErrorClass::Terminal, 13, message);
}

bool CheckExtentRatio(ErrorFacility& errors, std::span<const Point> points) {
  if (points.empty()) return true;
  const Extent e = ExtentOf(points);
  const double width = e.xmax - e.xmin;
  const double height = e.ymax - e.ymin;
  const double narrow = std::min(width, height);
  const double wide = std::max(width, height);
  // Points all on one line are left to the triangulation's collinearity test.
  if (narrow == 0 || narrow >= wide * kSmallestExtentRatio) return true;
  errors.StoreReal(1, width);
  errors.StoreReal(2, height);
  PostBeyondResolution(errors, "the points extend %(D1) in x and %(D2) in y");
  return false;
}

}  // namespace meshinterp
