#include "bench/ModelMemory.h"

#include <malloc.h>

namespace kiv::bench {
namespace {

std::uint64_t Block(const void* data) {
  return data == nullptr ? 0 : malloc_usable_size(const_cast<void*>(data));
}

std::uint64_t Heap(const std::string& text) {
  // A string of at most the in-place capacity keeps its characters inside the record.
  return text.capacity() > std::string().capacity() ? Block(text.data()) : 0;
}

template <class T> std::uint64_t Heap(const std::vector<T>& items) {
  return items.capacity() > 0 ? Block(items.data()) : 0;
}

std::uint64_t Heap(const TSparseVector& vector) {
  return Heap(vector.Indices) + Heap(vector.Values);
}

template <class Layer> std::uint64_t LayerHeap(const Layer& layer) {
  std::uint64_t bytes = Heap(layer.ResLat) + Heap(layer.ThkLat) + Heap(layer.DepLat) +
                        Heap(layer.LayerParams) + Heap(layer.LayerParamCons);
  for (const TODVLayerParamCon& constraint : layer.LayerParamCons)
    bytes += Heap(constraint.Values) + Heap(constraint.Indices);
  return bytes;
}

template <class Model> std::uint64_t ModelSize(const Model& model) {
  std::uint64_t bytes =
      sizeof(Model) + Heap(model.Title) + Heap(model.DataFiles) + Heap(model.Layers);
  for (const TExtraParamGroup<Model>& group : ExtraParamGroups<Model>)
    bytes += Heap(model.*group.LatSTDs);
  for (const std::string& name : model.DataFiles)
    bytes += Heap(name);
  for (const auto& layer : model.Layers)
    bytes += LayerHeap(layer);
  return bytes;
}

} // namespace

std::uint64_t ModelBytes(const TModFile& file) {
  std::uint64_t bytes = 0;
  for (std::int32_t i = 1; i <= file.NumberOfModels(); ++i)
    bytes += file.SparseFormat() ? ModelSize(file.GetSparseModel(i)) : ModelSize(file.GetModel(i));
  return bytes;
}

} // namespace kiv::bench
