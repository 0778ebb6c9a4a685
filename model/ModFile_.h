#pragma once

// TModFile, one model file in memory: reading it, adding and querying its models, editing them,
// converting them to the sparse style and writing the file back. A full read builds about twice
// the file's size in fresh memory, so a program that reads whole files runs best on the
// programs' heap (platform/heap/ProgramHeap.h, docs/program-heap.md); the library never changes
// the heap itself.
#include "core/PeloTypes_.h"
#include "model/InversionGeneralTypes_.h"
#include "model/ReadProgress.h"
#include "model/SparseFormats_.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

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
  virtual std::string_view ClassName() const noexcept { return "TModFile"; }

  // Reads a model file into the object, replacing what it held. Without iHeaderOnly the model
  // type is required. A failure leaves a partly read content that the caller should discard.
  void Open(const std::string& FileName, bool iHeaderOnly,
            const TVesmarInvModelType* iInvModelType);
  // The same, telling Progress how far the model blocks have come: (0, total) before the first,
  // then after a block whenever about 1/256 of the file or 1 MiB has been read since the last
  // call, and (total, total) after the last; a header-only read does not call it. When it returns
  // false the read stops with EPelo "Reading cancelled" and leaves the object as a failed read
  // does; what it throws escalates as a failure of the model-block step. It must not use the
  // object being read.
  void Open(const std::string& FileName, bool iHeaderOnly, const TVesmarInvModelType* iInvModelType,
            const TReadProgressHook& Progress);
  // The model type of a file's blocks, picked once its header is read: the header's models hold
  // their data-file names and type codes, nothing more; FirstBlocks is the text after the header
  // as far as the reader holds it already (its first model blocks, not always whole), valid
  // during the call.
  using TModelTypeOfHeader =
      std::function<TVesmarInvModelType(const TModFile& Header, std::string_view FirstBlocks)>;
  // Reads the whole file in one pass, its blocks laid out by the model type that TypeOfHeader
  // picks from the header: for a program that takes the model type from the file itself.
  // Progress and failures as Open's; what TypeOfHeader throws passes unchanged. A name of its
  // own: a lambda without captures would turn into Open's bool.
  void OpenWithHeaderType(const std::string& FileName, const TModelTypeOfHeader& TypeOfHeader,
                          const TReadProgressHook& Progress);
  // Reads a model file held in memory as Open reads the file FileName: the name decides the style
  // and stands in the messages. The bytes are read where they lie, during the call only.
  void OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                      const TVesmarInvModelType* iInvModelType);
  void OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                      const TVesmarInvModelType* iInvModelType, const TReadProgressHook& Progress);

  // Reads the header as Open with header only does, with the same failures, and keeps nothing:
  // the check of the command-line run, which needs no model records and no program name.
  static void CheckHeader(const std::string& FileName);

  // Inserts a copy so that it becomes model ModelNumber (1 to NumberOfModels() + 1).
  void AddModel(const TModel& Model, std::int32_t ModelNumber);
  void AddSparseModel(const TSparseModel& Model, std::int32_t ModelNumber);
  // Appends a data file's name to model ModelNumber of the current style.
  void AddDatafile(const std::string& DatafileName, std::int32_t ModelNumber);

  std::int32_t NumberOfModels() const;
  // The models held, read where they lie: for a program that shows them and must not copy them.
  const std::vector<TModel>& RegularModels() const noexcept { return FModels; }
  const std::vector<TSparseModel>& SparseModels() const noexcept { return FSparseModels; }
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

  // Editing and conversion to the sparse style.

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
  // The steps of reading, writing and editing are local to the sources. What they share with
  // each other and with the tests (the save-time steps, the fields without an accessor) passes
  // through this one door, model/detail/ModFileInternals.h, which is not installed.
  friend struct TModFileInternals;

  // An empty object as the default constructor makes it, but without a comment line.
  struct Unnamed {};
  explicit TModFile(Unnamed);
  void InitFormats();

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
  std::string ColFormat; // the column format of the last write, which CopyProperties passes on
  TModelFormat FModelFormat = ModelFormatNotSet;
  std::optional<TAllLayerParamSets> FAllLayerParamSets;
};

} // namespace kiv
