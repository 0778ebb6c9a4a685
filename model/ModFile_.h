#pragma once

#include "core/PeloTypes_.h"
#include "model/InversionGeneralTypes_.h"
#include "model/SparseFormats_.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class ByteSource;
class ColumnWriter;
class PictureFormat;
class TextScanner;

// The style of the models that a model-file object holds.
enum TModelFormat : std::uint8_t { ModelFormatNotSet, ModelFormatRegular, ModelFormatSparse };

// One model file in memory: its header settings, its models in the regular (.mod) or the sparse
// (.mo2) style, and the number formats used for writing. Model numbers count from 1.
class TModFile {
public:
  // An empty object; its comment line names the running program: "Model file created by " and
  // the program's file name without folder and extension (nothing where the system cannot tell).
  TModFile();
  // Reads the whole file, the blocks as the model type lays them out.
  TModFile(const std::string& FileName, const TVesmarInvModelType& iInvModelType);
  // Reads the header only, or (HeaderOnly false) refuses: the blocks need a model type.
  TModFile(const std::string& FileName, bool HeaderOnly);
  // Any other second argument does not compile: a pointer to a model type would otherwise turn
  // into HeaderOnly true and read the header alone.
  template <class Other> TModFile(const std::string& FileName, Other) = delete;
  virtual ~TModFile() = default;

  TModFile(const TModFile&) = delete;
  TModFile& operator=(const TModFile&) = delete;

  // The class name that locations of failures carry.
  virtual std::string_view ClassName() const { return "TModFile"; }

  // Reads a model file into the object, replacing what it held. Without iHeaderOnly the model
  // type is required. A failure leaves a partly read content that the caller should discard.
  void Open(const std::string& FileName, bool iHeaderOnly,
            const TVesmarInvModelType* iInvModelType);
  // Reads a model file held in memory as Open reads the file FileName: the name decides the style
  // and stands in the messages. The bytes are read where they lie, during the call only.
  void OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                      const TVesmarInvModelType* iInvModelType);

  // Reads the header as Open with header only does, with the same failures, and keeps nothing:
  // the check of the command-line run, which needs no model records and no program name.
  static void CheckHeader(const std::string& FileName);

  // Inserts a copy so that it becomes model ModelNumber (1 to NumberOfModels() + 1).
  void AddModel(const TModel& Model, std::int32_t ModelNumber);
  void AddSparseModel(const TSparseModel& Model, std::int32_t ModelNumber);
  // Appends a data file's name to model ModelNumber of the current style.
  void AddDatafile(const std::string& DatafileName, std::int32_t ModelNumber);

  std::int32_t NumberOfModels() const;
  TModel GetModel(std::int32_t ModelNumber) const;
  TSparseModel GetSparseModel(std::int32_t ModelNumber) const;
  std::int32_t GetNumberOfLayers(std::int32_t ModelNumber) const;
  // Counts the data files of the model at position iModelNumber, counted from 0.
  std::int32_t GetNumberOfDataFiles(std::int32_t iModelNumber) const;
  // Every model's data-file names in model order; the list belongs to the object and stays valid
  // until the next call.
  const std::vector<std::string>& GetDataFileNames();
  const std::vector<std::string>& DataFileNames() { return GetDataFileNames(); }
  bool SparseFormat() const { return FModelFormat == ModelFormatSparse; }

  std::int32_t LCIMode() const { return FLCIMode; }
  void SetLCIMode(std::int32_t value) { FLCIMode = value; }
  const std::string& CommentLine() const { return FCommentLine; }
  void SetCommentLine(std::string value) { FCommentLine = std::move(value); }
  // Writes the file FileName() in the layout of the model type, replacing it only once complete.
  void SaveGeneral(const TVesmarInvModelType& iInvModelType, bool iModifyLatConstraints0Values);
  // Writes the file FileName() in the older layout, where each model's type decides its lines.
  void Save(bool iModifyLatConstraints0Values);

  std::int32_t MaxIterations() const { return FMaxIterations; }
  void SetMaxIterations(std::int32_t value) { FMaxIterations = value; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(std::string value) { FFileName = std::move(value); }
  std::int32_t ColWidth() const { return FColWidth; }
  void SetColWidth(std::int32_t value) { FColWidth = value; }
  const std::string& ExpFormat() const { return FExpFormat; }
  // Refuses, with EPelo, a number picture that the writer cannot use.
  void SetExpFormat(std::string value);
  const std::string& LinFormat() const { return FLinFormat; }
  // Refuses, with EPelo, a number picture that the writer cannot use.
  void SetLinFormat(std::string value);
  bool UseExpFormat() const { return FUseExpFormat; }
  void SetUseExpFormat(bool value) { FUseExpFormat = value; }
  bool EnableSharpInversion() const { return FEnableSharp; }
  void SetEnableSharpInversion(bool value) { FEnableSharp = value; }
  std::int32_t UseSharpApriori() const { return FUseSharpApriori; }
  void SetUseSharpApriori(std::int32_t value) { FUseSharpApriori = value; }
  float SharpVertical() const { return FSharpVertical; }
  void SetSharpVertical(float value) { FSharpVertical = value; }
  float SharpHorizontal() const { return FSharpHorizontal; }
  void SetSharpHorizontal(float value) { FSharpHorizontal = value; }
  std::int32_t SmoothInvType() const { return FSmoothInvType; }
  void SetSmoothInvType(std::int32_t value) { FSmoothInvType = value; }
  bool IsLCI() const { return FIsLCI; }
  void SetIsLCI(bool value) { FIsLCI = value; }

  // ---- Editing and conversion to the sparse style (ModFileEdit.cpp) ----

  // Replaces regular model ModelNumber (1 to the number of regular models) by a copy of iModel,
  // whatever the format. Any failure but the EPelo family becomes an EPFatal that asks to be
  // reported.
  void SetModel(std::int32_t ModelNumber, const TModel& iModel);
  // Replaces sparse model ModelNumber (1 to the number of sparse models) by a copy of iModel.
  void SetSparseModel(std::int32_t ModelNumber, const TSparseModel& iModel);
  // The SparseFormat property's setter: true makes the format sparse, false regular; the models
  // stay as they are.
  void SetIsSparse(bool value);
  // Copies the file-level settings, ending with the format itself, onto TargetModFile; models,
  // data-file names, file name, comment and catalogue stay the target's own.
  void CopyProperties(TModFile& TargetModFile) const;
  // Builds a sparse model from every regular model, then makes the format sparse and the file
  // name's extension ".mo2". The regular models stay. A failure changes nothing; an object that
  // is already sparse is left as it is, so that its sparse models are kept.
  void SwitchToSparseFormat(const TVesmarInvModelType& iInvModelType);

private:
  // Save-time steps for regular files, which the writers call before writing anything: fit every
  // dense lateral array to the lateral width (emptying all of them when no layer is coupled), and
  // derive FLCIMode from the constraints. The fitting returns the width after it when it knows it
  // without another pass over the models, which the mode then takes instead of measuring it.
  std::optional<std::int32_t> FitLateralConstraints(bool iModifyLatConstraints0Values);
  void DetermineLCIMode(std::optional<std::int32_t> fittedWidth);
  // The steps of SwitchToSparseFormat.
  TSparseModel ConvertModelToSparse(const TModel& iModel,
                                    const TVesmarInvModelType& iInvModelType) const;
  TSparseLayer ConvertLayerToSparse(const TLayer& iLayer) const;
  void ConvertExtraParam(const TModel& iModel, TSparseModel& oSparseModel,
                         TODVPoSet_Types iParamType) const;
  // Tests reach the private steps and fields through it.
  friend struct TModFileTestAccess;

  // ---- End of editing and conversion ----

private:
  // An empty object as the default constructor makes it, but without a comment line.
  struct Unnamed {};
  explicit TModFile(Unnamed);
  void InitFormats();
  void ReadModelFile(const std::string& FileName, const ByteSource& source, bool iHeaderOnly,
                     const TVesmarInvModelType* iInvModelType);
  std::unique_ptr<TextScanner> OpenHeader(const std::string& FileName, const ByteSource& source,
                                          bool keepDataFiles);
  void ReadHeader(TextScanner& scanner, bool keepDataFiles);
  void SkipDataFileLines(TextScanner& scanner, std::int32_t lineCount);
  template <class Model>
  void ReadDataFileLines(TextScanner& scanner, std::int32_t lineCount, std::vector<Model>& models);
  void ReadModelGeneral(TextScanner& scanner, TModel& model, std::int32_t lateralCount,
                        const TVesmarInvModelType& modelType,
                        std::optional<std::vector<TODVLayerParamSet>>& furtherSets);
  void ReadSparseModelGeneral(TextScanner& scanner, TSparseModel& model,
                              const TVesmarInvModelType& modelType,
                              std::optional<std::vector<TODVLayerParamSet>>& furtherSets);
  void ReadExtraParam(TextScanner& scanner, TModel& model, TODVPoSet_Types type,
                      std::int32_t lateralCount);
  void ReadSparseExtraParam(TextScanner& scanner, TSparseModel& model, TODVPoSet_Types type);
  void ReadLine(TextScanner& scanner, float& value, float& factor, float* vertical,
                TArrayOfSingle& lateral);
  std::int32_t ReadSparseLine(TextScanner& scanner, float& value, float& factor, float* vertical,
                              TArrayOfInteger& indices, TArrayOfSingle& values);
  // Writing. The model type is null for the older layout of Save.
  struct WriteFormats;
  void SaveFile(const TVesmarInvModelType* iInvModelType, bool iModifyLatConstraints0Values);
  void WriteHeader(ColumnWriter& out);
  void WriteValueColumns(ColumnWriter& out, const WriteFormats& formats, float value, float factor,
                         float vertical, bool writeVertical, double noConstraint);
  void WriteLine(ColumnWriter& out, const WriteFormats& formats, float value, float factor,
                 float vertical, bool writeVertical, const TArrayOfSingle& lateral);
  void WriteSparseLine(ColumnWriter& out, const WriteFormats& formats, float value, float factor,
                       float vertical, bool writeVertical, const TArrayOfSingle& values,
                       const TArrayOfInteger& indices);
  void WriteExtraParam(ColumnWriter& out, const WriteFormats& formats, const TModel& model,
                       TODVPoSet_Types type);
  void WriteModelGeneral(ColumnWriter& out, const WriteFormats& formats, const TModel& model,
                         const TVesmarInvModelType& modelType);
  void WriteSparseModelGeneral(ColumnWriter& out, const WriteFormats& formats,
                               const TSparseModel& model, const TVesmarInvModelType& modelType,
                               bool lastModel);
  void WriteModel(ColumnWriter& out, const WriteFormats& formats, const TModel& model);
  void WriteModel(ColumnWriter& out, const WriteFormats& formats, const TSparseModel& model);
  template <class Model>
  void WriteModelLineAndExtras(ColumnWriter& out, const WriteFormats& formats, const Model& model,
                               const std::vector<TODVPoSet_Types>& extras);
  template <class Layer>
  void WriteThicknessAndDepth(ColumnWriter& out, const WriteFormats& formats,
                              const std::vector<Layer>& layers);

  // The typed, empty parameter and constraint entries that every layer of the model type gets.
  template <class Layer>
  Layer LayerTemplate(const TVesmarInvModelType& modelType, size_t lateralCount,
                      std::optional<std::vector<TODVLayerParamSet>>& furtherSets) const;

  std::vector<TModel> FModels;
  std::vector<TSparseModel> FSparseModels;
  std::string FFileName;
  std::string FCommentLine;
  bool FEnableSharp = false;
  std::int32_t FUseSharpApriori = 0;
  float FSharpVertical = 0;
  float FSharpHorizontal = 0;
  std::int32_t FSmoothInvType = 0;
  bool FIsLCI = false;
  std::int32_t FLCIMode = 0;
  std::int32_t FMaxIterations = 0;
  std::vector<std::string> FDataFileNames;
  std::string FExpFormat;
  std::string FLinFormat;
  std::string F2DFormat;
  bool FUseExpFormat = false;
  std::int32_t FColWidth = 0;
  std::string ColFormat;
  TModelFormat FModelFormat = ModelFormatNotSet;
  std::optional<TAllLayerParamSets> FAllLayerParamSets;
};

} // namespace kiv
