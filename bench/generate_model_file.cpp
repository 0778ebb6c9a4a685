// kiv_generate_model_file: writes a realistic model file for the benchmarks.
#include "bench/ModelFileGenerator.h"
#include "survey/ParameterNames.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: kiv_generate_model_file --out PATH [--models N | --size-mb M] [--layers L]\n"
    "         [--lci L] [--style mod|mo2] [--seed S]\n"
    "         [--params LIST] [--extras LIST] [--type-code N]\n"
    "Writes a model file of N soundings (20000 by default; or as many as make about M MB)\n"
    "of L layers (30), each tied to L - 1 following soundings (constraint mode 3), in the\n"
    "regular (mod) or sparse (mo2) style; the style defaults to the extension of PATH.\n"
    "Each layer holds resistivity and the layer parameters of --params, each sounding the\n"
    "extra parameters of --extras, both comma-separated in file order (\"\" for none):\n"
    "  --params     Chargeability,TauRho by default; of Chargeability, TauRho, C, Phi,\n"
    "               TauPhi, Sigma, SigmaBulk, Sigma2nd, Rho2nd, Permeability, TauSigma\n"
    "               or their short names (CHA, TAU, PHI, TPHI, SIG, SIGB, SIG2, RHO2,\n"
    "               PERM, TSIG), in any letter case\n"
    "  --extras     Altitude,Pitch by default; of Altitude, Pitch, Roll, Bias, Shift,\n"
    "               TxRxDist, RxAngle\n"
    "  --type-code  the model type written on every data-file line, 6 by default, whether\n"
    "               or not it matches the parameters\n";

template <class Number> bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
  kiv::bench::ModelShape shape;
  std::string out;
  std::string style;
  std::uint64_t seed = 1;
  std::uint64_t sizeMb = 0;
  bool modelsGiven = false;
  std::optional<std::string> params;
  std::optional<std::string> extras;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (i + 1 >= argc) {
      std::cerr << "Missing value after " << option << "\n" << kUsage;
      return 2;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (option == "--out") {
      out = value;
    } else if (option == "--models") {
      ok = ParseNumber(value, shape.models) && shape.models > 0;
      modelsGiven = true;
    } else if (option == "--size-mb") {
      ok = ParseNumber(value, sizeMb) && sizeMb > 0;
    } else if (option == "--layers") {
      ok = ParseNumber(value, shape.layers) && shape.layers > 0;
    } else if (option == "--lci") {
      ok = ParseNumber(value, shape.lci) && shape.lci >= 0;
    } else if (option == "--seed") {
      ok = ParseNumber(value, seed);
    } else if (option == "--style") {
      style = value;
      ok = style == "mod" || style == "mo2";
    } else if (option == "--params") {
      params = value;
    } else if (option == "--extras") {
      extras = value;
    } else if (option == "--type-code") {
      ok = ParseNumber(value, shape.typeCode);
    } else {
      std::cerr << "Unknown option " << option << "\n" << kUsage;
      return 2;
    }
    if (!ok) {
      std::cerr << "Invalid value for " << option << ": " << value << "\n";
      return 2;
    }
  }
  if (out.empty() || (modelsGiven && sizeMb > 0)) {
    std::cerr << kUsage;
    return 2;
  }
  if (style.empty())
    style = out.size() >= 4 && out.substr(out.size() - 4) == ".mo2" ? "mo2" : "mod";
  shape.sparse = style == "mo2";
  const kiv::TVesmarInvModelType defaults = kiv::bench::BenchModelType();
  try {
    shape.modelType = kiv::survey::ModelTypeNamed(
        kiv::survey::NameList(params.value_or(kiv::survey::LayerParamsText(defaults))),
        kiv::survey::NameList(extras.value_or(kiv::survey::ExtraParamsText(defaults))));
    if (sizeMb > 0)
      shape.models = kiv::bench::ModelsForBytes(shape, sizeMb * 1000 * 1000);
    const std::uint64_t bytes = kiv::bench::GenerateModelFile(out, shape, seed);
    std::cout << out << ": " << shape.models << " models of " << shape.layers
              << " layers, constraint mode " << shape.lci << ", " << bytes << " bytes\n";
  } catch (const std::invalid_argument& refused) {
    // A parameter with an unknown name, or named twice: refused before any file is made.
    std::cerr << "kiv_generate_model_file: " << refused.what() << "\n";
    return 2;
  } catch (const std::exception& failure) {
    std::cerr << "kiv_generate_model_file: " << failure.what() << "\n";
    return 1;
  }
  return 0;
}
