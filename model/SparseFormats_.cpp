#include "model/SparseFormats_.h"

#include "core/NumberParse.h"

#include <stdexcept>
#include <string>

namespace kiv {
namespace {

size_t PairCount(const TSparseVector& vector) {
  if (vector.NumValues < 0)
    throw std::out_of_range("Negative NumValues in a sparse vector: " +
                            std::to_string(vector.NumValues));
  return static_cast<size_t>(vector.NumValues);
}

} // namespace

void AddToSparseVector(double Value, std::int32_t Index, TSparseVector& Vector) {
  const float value = NarrowToSingle(Value);
  const size_t count = PairCount(Vector);
  // Growing when either array is full keeps a vector whose arrays differ in length from being
  // written past its end.
  if (count >= Vector.Values.size() || count >= Vector.Indices.size()) {
    Vector.Values.resize(2 * count + 1);
    Vector.Indices.resize(2 * count + 1);
  }
  Vector.Values[count] = value;
  Vector.Indices[count] = Index;
  ++Vector.NumValues;
}

void TrimSparseVector(TSparseVector& Vector) {
  const size_t count = PairCount(Vector);
  Vector.Indices.resize(count);
  Vector.Values.resize(count);
}

void ClearSparseVector(TSparseVector& Vector) {
  Vector.Indices.clear();
  Vector.Values.clear();
  Vector.NumValues = 0;
}

} // namespace kiv
