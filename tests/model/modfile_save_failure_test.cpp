// A failing disk while saving: whatever the style, the layout, the size of the file and the
// point where the disk fails, the caller gets one EPelo "Error saving file: " with the system's
// reason kept as its cause, and the file that was there stays as it was.
#include "model/ModFile_.h"
#include "platform/testing/FaultInjection.h"
#include "testing/model/ModelPrinters.h"
#include "testing/model/ModelTypes.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <typeinfo>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::MakeModelType;
using test::TempDir;

template <class Layer> Layer MakeLayer(float res) {
  Layer layer{};
  layer.ResStart = res;
  layer.ResApriSTD = 99;
  layer.ResVert = 99;
  layer.ThkStart = 5;
  layer.ThkApriSTD = 99;
  layer.ThkVert = 99;
  layer.DepStart = 5;
  layer.DepApriSTD = 99;
  return layer;
}

// A file of the given style with models of 20 layers each: one model makes a file of a few
// kilobytes, 300 one that passes through the writer's buffer several times.
void Fill(TModFile& file, bool sparse, std::int32_t models) {
  for (std::int32_t i = 1; i <= models; ++i) {
    if (sparse) {
      TSparseModel model;
      model.UTMX = 1;
      model.DataFiles = {std::string("d").append(std::to_string(i))};
      for (int k = 0; k < 20; ++k)
        model.Layers.push_back(MakeLayer<TSparseLayer>(10.0f + static_cast<float>(k)));
      file.AddSparseModel(model, i);
    } else {
      TModel model;
      model.ModelType = 5;
      model.UTMX = 1;
      model.DataFiles = {std::string("d").append(std::to_string(i))};
      for (int k = 0; k < 20; ++k)
        model.Layers.push_back(MakeLayer<TLayer>(10.0f + static_cast<float>(k)));
      file.AddModel(model, i);
    }
  }
}

TEST(ModFileSaveFailure, OneFailurePathWhereverTheDiskFails) {
  struct Case {
    const char* what;
    Operation operation;
    std::errc error;
    unsigned passing; // calls of the operation that succeed first
  };
  const Case failures[] = {
      {"a target the user may not write", Operation::CheckAccess, std::errc::permission_denied, 0},
      {"a full disk at the first write", Operation::Write, std::errc::no_space_on_device, 0},
      {"a full disk at a later write", Operation::Write, std::errc::no_space_on_device, 1},
      {"a write refused", Operation::Write, std::errc::io_error, 0},
      {"a temporary that cannot be created", Operation::Open, std::errc::permission_denied, 0},
      {"a flush to the disk that fails", Operation::Sync, std::errc::io_error, 0},
      {"a rename that fails", Operation::Rename, std::errc::permission_denied, 0},
  };
  const TVesmarInvModelType plain = MakeModelType({}, {});
  for (const char* name : {"f.mod", "f.mo2"}) {
    for (std::int32_t models : {1, 300}) {
      for (bool general : {true, false}) {
        for (const Case& c : failures) {
          // A later write exists only where the file is larger than the writer's buffer.
          if (c.passing > 0 && models == 1)
            continue;
          TempDir dir;
          const std::string path = dir / name;
          test::WriteFile(path, "the user's data\r\n");
          TModFile file;
          Fill(file, std::string(name).ends_with(".mo2"), models);
          file.SetFileName(path);
          const std::string where = std::string(c.what) + ", " + name + ", " +
                                    std::to_string(models) + " models, " +
                                    (general ? "SaveGeneral" : "Save");
          ScopedFault fault(c.operation, Fault::LastingError(c.error), c.passing);
          try {
            if (general)
              file.SaveGeneral(plain, false);
            else
              file.Save(false);
            ADD_FAILURE() << where << ": saved";
          } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), typeid(EPelo)) << where << ": " << e.ClassName();
            EXPECT_EQ(e.Message(), "Error saving file: " + path) << where;
            EXPECT_EQ(e.CauseCode(), c.error) << where;
          }
          EXPECT_TRUE(fault.Injected()) << where;
          EXPECT_EQ(test::ReadFile(path), "the user's data\r\n") << where;
          EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << where;
        }
      }
    }
  }
}

// The same saves without a fault write the file, so the table above fails for the fault alone.
TEST(ModFileSaveFailure, TheSameSavesSucceedOnAHealthyDisk) {
  for (const char* name : {"f.mod", "f.mo2"}) {
    for (std::int32_t models : {1, 300}) {
      TempDir dir;
      TModFile file;
      Fill(file, std::string(name).ends_with(".mo2"), models);
      file.SetFileName(dir / name);
      file.SaveGeneral(MakeModelType({}, {}), false);
      EXPECT_EQ(TModFile(dir / name, MakeModelType({}, {})).NumberOfModels(), models) << name;
    }
  }
}

} // namespace
} // namespace kiv
