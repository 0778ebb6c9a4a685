#include "testing/model/ModelPrinters.h"

namespace kiv {
namespace {

void Print(std::ostream& out, const char* name, float value) {
  out << ' ' << name << '=' << value;
}

void Print(std::ostream& out, const char* name, const TArrayOfSingle& values) {
  out << ' ' << name << "=[";
  for (float value : values)
    out << value << ' ';
  out << ']';
}

void Print(std::ostream& out, const char* name, const TSparseVector& vector) {
  out << ' ' << name << "={" << vector.NumValues << ':';
  for (size_t i = 0; i < vector.Indices.size() || i < vector.Values.size(); ++i)
    out << ' ' << (i < vector.Indices.size() ? std::to_string(vector.Indices[i]) : "?") << '>'
        << (i < vector.Values.size() ? vector.Values[i] : 0.0f);
  out << '}';
}

template <class Layer> void PrintLayer(std::ostream& out, const Layer& l) {
  out << "\n   ";
  Print(out, "Res", l.ResStart);
  Print(out, "ApriSTD", l.ResApriSTD);
  Print(out, "Vert", l.ResVert);
  Print(out, "Lat", l.ResLat);
  Print(out, "Thk", l.ThkStart);
  Print(out, "ApriSTD", l.ThkApriSTD);
  Print(out, "Vert", l.ThkVert);
  Print(out, "Lat", l.ThkLat);
  Print(out, "Dep", l.DepStart);
  Print(out, "ApriSTD", l.DepApriSTD);
  Print(out, "Lat", l.DepLat);
  for (const TODVLayerParam& p : l.LayerParams)
    out << " P" << int(p.ParamType) << '=' << p.Value;
  for (const TODVLayerParamCon& c : l.LayerParamCons) {
    out << " C" << int(c.ParamConType);
    Print(out, "", c.Values);
    out << "i[";
    for (std::int32_t i : c.Indices)
      out << i << ' ';
    out << ']';
  }
}

template <class Model> void PrintModel(std::ostream& out, const Model& m) {
  out << "type " << m.ModelType << " files " << m.DataFiles.size() << " at " << m.UTMX << ','
      << m.UTMY << ',' << m.Elevation;
  for (const auto& group : ExtraParamGroups<Model>) {
    out << " X" << int(group.ParamType);
    Print(out, "", m.*group.Apri);
    Print(out, "STD", m.*group.ApriSTD);
    Print(out, "Lat", m.*group.LatSTDs);
  }
  for (const auto& layer : m.Layers)
    PrintLayer(out, layer);
}

} // namespace

void PrintTo(const TModel& model, std::ostream* out) {
  PrintModel(*out, model);
}
void PrintTo(const TSparseModel& model, std::ostream* out) {
  PrintModel(*out, model);
}

} // namespace kiv
