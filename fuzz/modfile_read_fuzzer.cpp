// Any bytes read as a model file. The first byte chooses the style (bit 0: sparse), header only
// (bit 1) and the model type (bits 2 and 3); the rest is the file. Every input must read or fail
// with the library's own exception: a foreign exception escapes to libFuzzer as a crash, and so do
// the sanitizers' findings and allocations beyond its limits. A read that succeeds must also have
// the shape the model type and the constraint mode give. The same bytes, read as data-file lines,
// must pass the header check's fast line scanner exactly as they read word by word.
#include "core/TextScanner.h"
#include "fuzz/FuzzSupport.h"
#include "model/ModFile_.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kiv::fuzz {
namespace {

size_t Neighbours(std::int32_t lciMode, size_t index, size_t models) {
  return lciMode <= 0 ? 0 : std::min<size_t>(static_cast<size_t>(lciMode) - 1, models - 1 - index);
}

// A factor read from a regular layer line: the file's number plus 1, or 99; 0 where no line sets
// it.
bool IsRegularFactor(float factor) {
  return factor == 0 || (factor >= 1 && factor <= 100);
}
bool IsSparseFactor(float factor) {
  return factor == 0 || (factor >= 1 && factor <= 99);
}

void Require(bool condition, const std::string& what, size_t model) {
  if (!condition)
    Fault(what + " (model " + std::to_string(model + 1) + ")");
}

void CheckRegular(const TModFile& file, const TVesmarInvModelType& type) {
  const size_t models = static_cast<size_t>(file.NumberOfModels());
  const size_t further = type.LayerParams.size() - 1;
  for (size_t i = 0; i < models; ++i) {
    const TModel model = file.GetModel(static_cast<std::int32_t>(i + 1));
    const size_t lateral = Neighbours(file.LCIMode(), i, models);
    for (const TExtraParam& extra : type.ExtraParams)
      Require((model.*FindExtraParamGroup<TModel>(extra.ParamType)->LatSTDs).size() == lateral,
              "extra-parameter laterals not one per neighbour", i);
    for (const TLayer& layer : model.Layers) {
      Require(layer.ResLat.size() == lateral && layer.ThkLat.size() == lateral &&
                  layer.DepLat.size() == lateral,
              "layer laterals not one per neighbour", i);
      Require(layer.LayerParams.size() == 2 * further && layer.LayerParamCons.size() == 2 * further,
              "layer parameters not two per further parameter", i);
      for (size_t p = 0; p < further; ++p) {
        Require(layer.LayerParamCons[2 * p].Values.size() == 1 &&
                    layer.LayerParamCons[2 * p + 1].Values.size() == lateral,
                "layer-parameter constraints of the wrong length", i);
        Require(IsRegularFactor(layer.LayerParams[2 * p + 1].Value) &&
                    IsRegularFactor(layer.LayerParamCons[2 * p].Values[0]),
                "layer-parameter factor out of range", i);
        for (float factor : layer.LayerParamCons[2 * p + 1].Values)
          Require(IsRegularFactor(factor), "layer-parameter lateral factor out of range", i);
      }
      for (float factor :
           {layer.ResApriSTD, layer.ResVert, layer.ThkApriSTD, layer.ThkVert, layer.DepApriSTD})
        Require(IsRegularFactor(factor), "layer factor out of range", i);
      for (const TArrayOfSingle* factors : {&layer.ResLat, &layer.ThkLat, &layer.DepLat})
        for (float factor : *factors)
          Require(IsRegularFactor(factor), "layer lateral factor out of range", i);
    }
  }
}

void CheckSparseVector(const TSparseVector& vector, size_t model) {
  Require(vector.NumValues >= 0 && vector.Indices.size() == static_cast<size_t>(vector.NumValues) &&
              vector.Values.size() == vector.Indices.size(),
          "sparse vector with lengths apart", model);
  for (float factor : vector.Values)
    Require(IsSparseFactor(factor), "sparse factor out of range", model);
}

void CheckSparse(const TModFile& file, const TVesmarInvModelType& type) {
  const size_t models = static_cast<size_t>(file.NumberOfModels());
  const size_t further = type.LayerParams.size() - 1;
  for (size_t i = 0; i < models; ++i) {
    const TSparseModel model = file.GetSparseModel(static_cast<std::int32_t>(i + 1));
    for (const TExtraParam& extra : type.ExtraParams) {
      const TExtraParamGroup<TSparseModel>& group =
          *FindExtraParamGroup<TSparseModel>(extra.ParamType);
      Require(IsSparseFactor(model.*group.ApriSTD), "sparse extra-parameter factor out of range",
              i);
      CheckSparseVector(model.*group.LatSTDs, i);
    }
    for (const TSparseLayer& layer : model.Layers) {
      for (const TSparseVector* vector : {&layer.ResLat, &layer.ThkLat, &layer.DepLat})
        CheckSparseVector(*vector, i);
      Require(layer.LayerParams.size() == 2 * further && layer.LayerParamCons.size() == 2 * further,
              "layer parameters not two per further parameter", i);
      for (size_t p = 0; p < further; ++p) {
        const TODVLayerParamCon& con = layer.LayerParamCons[2 * p + 1];
        Require(con.Indices.size() == con.Values.size(),
                "sparse layer-parameter indices and factors apart", i);
        for (float factor : con.Values)
          Require(IsSparseFactor(factor), "sparse layer-parameter factor out of range", i);
      }
      for (float factor :
           {layer.ResApriSTD, layer.ResVert, layer.ThkApriSTD, layer.ThkVert, layer.DepApriSTD})
        Require(IsSparseFactor(factor), "sparse layer factor out of range", i);
    }
  }
}

void CheckHeaderOnly(TModFile& file) {
  size_t names = 0;
  for (std::int32_t i = 0; i < file.NumberOfModels(); ++i) {
    Require(file.GetNumberOfLayers(i + 1) == 0, "layers after a header-only read",
            static_cast<size_t>(i));
    names += static_cast<size_t>(file.GetNumberOfDataFiles(i));
  }
  Require(file.GetDataFileNames().size() == names, "data-file names and models disagree", 0);
}

void ReadDataFileLine(TextScanner& scanner) {
  scanner.ReadInteger();
  scanner.ReadInteger();
  scanner.SkipLine();
}

// Lines passed at once must end where the word-by-word reading of as many lines ends, without a
// failure on the way; after them, both read one line word by word.
void CheckLinesPassedAtOnce(std::string_view bytes) {
  TextScanner fast(ByteSource::Memory(bytes));
  TextScanner plain(ByteSource::Memory(bytes));
  while (!plain.AtEnd()) {
    const std::int32_t passed = fast.SkipLinesOfTwoIntegers(1 << 20);
    try {
      for (std::int32_t line = 0; line < passed; ++line)
        ReadDataFileLine(plain);
    } catch (const std::exception&) {
      Fault("a line passed at once fails word by word");
    }
    if (fast.RemainingBytes() != plain.RemainingBytes())
      Fault("lines passed at once end elsewhere than word by word");
    try {
      ReadDataFileLine(plain);
    } catch (const std::exception&) {
      return;
    }
    ReadDataFileLine(fast);
  }
}

} // namespace
} // namespace kiv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace kiv;
  using namespace kiv::fuzz;
  if (size == 0)
    return 0;
  const std::uint8_t choice = data[0];
  const bool sparse = (choice & 1) != 0;
  const bool headerOnly = (choice & 2) != 0;
  const TVesmarInvModelType& type = ModelTypeOf(static_cast<Shape>((choice >> 2) & 3));
  // Read where libFuzzer holds the input, which ends where the input ends: the sanitizers catch
  // a read beyond it.
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckLinesPassedAtOnce(bytes);
  TModFile file;
  try {
    file.OpenFromMemory(sparse ? "input.mo2" : "input.mod", bytes, headerOnly,
                        headerOnly ? nullptr : &type);
  } catch (const Exception&) {
    return 0;
  }
  if (file.SparseFormat() != sparse)
    Fault("the extension did not decide the style");
  if (headerOnly)
    CheckHeaderOnly(file);
  else if (sparse)
    CheckSparse(file, type);
  else
    CheckRegular(file, type);
  return 0;
}
