#include "core/Escalation.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <typeinfo>

namespace kiv {
namespace {

// A class of the family that is neither exactly EPelo nor exactly EPInfo.
class EPeloSubclass : public EPelo {
public:
  using EPelo::EPelo;
};

struct NotAStdException {
  int code;
};

template <class Thrown> [[noreturn]] void Raise(const char* message) {
  throw Thrown(message);
}

// Runs f and returns the std::exception it raised as (class name, message).
template <class F> std::pair<std::string, std::string> Caught(F&& f) {
  try {
    f();
  } catch (const Exception& e) {
    return {std::string(e.ClassName()), e.Message()};
  } catch (const std::exception& e) {
    return {typeid(e).name(), e.what()};
  }
  return {"nothing", ""};
}

TEST(Escalation, ForeignFailureBecomesFatalWithItsLocation) {
  auto result = Caught(
      [] { GuardEscalating("TModFile", "GetModel", [] { Raise<std::out_of_range>("index 7"); }); });
  EXPECT_EQ(result,
            std::make_pair(std::string("EPFatal"), std::string("TModFile.GetModel\nindex 7")));
}

TEST(Escalation, LocationLinesStackOutermostFirstThroughMixedForms) {
  auto a = [] { GuardEscalating("UnitA_", "A", [] { Raise<EPFatal>("M"); }); };
  auto b = [&] { GuardWrapping("TB", "B", a); };
  auto c = [&] { GuardEscalating("TC", "C", b); };
  EXPECT_EQ(Caught(c),
            std::make_pair(std::string("EPFatal"), std::string("TC.C\nTB.B\nUnitA_.A\nM")));

  auto a2 = [] { GuardWrapping("UnitA_", "A", [] { Raise<std::runtime_error>("M"); }); };
  auto b2 = [&] { GuardWrapping("TB", "B", a2); };
  EXPECT_EQ(Caught(b2), std::make_pair(std::string("EPFatal"), std::string("TB.B\nUnitA_.A\nM")));
}

TEST(Escalation, ExpectedFailuresPassBothFormsUnchanged) {
  for (auto [name, raise] :
       {std::pair{"EPelo", &Raise<EPelo>}, std::pair{"EPInfo", &Raise<EPInfo>}}) {
    auto inner = [raise = raise] {
      GuardEscalating("T1", "R1", [&] { raise("Invalid model number"); });
    };
    auto middle = [&] { GuardWrapping("T2", "R2", inner); };
    auto outer = [&] { GuardEscalating("T3", "R3", middle); };
    EXPECT_EQ(Caught(outer),
              std::make_pair(std::string(name), std::string("Invalid model number")));
  }
}

TEST(Escalation, WrappingRethrowsTheSameExpectedObject) {
  const EPelo* seen = nullptr;
  try {
    GuardWrapping("T", "R", [&] {
      static EPInfo original("info");
      seen = &original;
      throw original;
    });
  } catch (const EPInfo& e) {
    EXPECT_EQ(e.Message(), "info");
  }
  EXPECT_NE(seen, nullptr);
}

TEST(Escalation, OnlyExactClassesPassTheEscalatingForm) {
  EXPECT_EQ(Caught([] { GuardEscalating("T", "R", [] { Raise<EPeloSubclass>("sub"); }); }),
            std::make_pair(std::string("EPFatal"), std::string("T.R\nsub")));
  // The wrapping form lets every EPelo but EPFatal through.
  EXPECT_EQ(Caught([] { GuardWrapping("T", "R", [] { Raise<EPeloSubclass>("sub"); }); }),
            std::make_pair(std::string("EPelo"), std::string("sub")));
}

TEST(Escalation, PleaseReportInAnyCaseBecomesFatalAtTheFirstEscalatingForm) {
  for (const char* message : {"Layer parameter not found! Please report this error",
                              "x PLEASE REPORT", "pLeAsE rEpOrT it"}) {
    auto wrapped = [&] { GuardWrapping("W", "R", [&] { Raise<EPelo>(message); }); };
    EXPECT_EQ(Caught(wrapped), std::make_pair(std::string("EPelo"), std::string(message)));
    auto escalated = [&] { GuardEscalating("E", "R", wrapped); };
    EXPECT_EQ(Caught(escalated),
              std::make_pair(std::string("EPFatal"), std::string("E.R\n") + message));
    auto info = [&] { GuardEscalating("E", "R", [&] { Raise<EPInfo>(message); }); };
    EXPECT_EQ(Caught(info).first, "EPFatal");
  }
}

TEST(Escalation, ExtraEndsTheMessageWithALineFeed) {
  const std::runtime_error failure("line one\nline two");
  EXPECT_EQ(PeloBuildErrorMessage(failure, "U_.R"), "U_.R\nline one\nline two");
  EXPECT_EQ(PeloBuildErrorMessage(failure, "U_.R", "context"),
            "U_.R\nline one\nline two\ncontext\n");
  const EPFatal created = EPFatalCreate(failure, "TForm", "Show", "more");
  EXPECT_EQ(created.Message(), "TForm.Show\nline one\nline two\nmore\n");
  try {
    PeloRaiseError(failure, "TForm", "Show", "more");
  } catch (const EPFatal& e) {
    EXPECT_EQ(e.Message(), "TForm.Show\nline one\nline two\nmore\n");
  }
}

TEST(Escalation, ValuesThatAreNotStdExceptionsPassUntouched) {
  auto throwsInt = [] { GuardEscalating("T", "R", [] { throw NotAStdException{42}; }); };
  try {
    GuardWrapping("T2", "R2", throwsInt);
    FAIL() << "nothing raised";
  } catch (const NotAStdException& e) {
    EXPECT_EQ(e.code, 42);
  }
}

TEST(Escalation, GuardsReturnTheBodysValue) {
  EXPECT_EQ(GuardEscalating("T", "R", [] { return 7; }), 7);
  EXPECT_EQ(GuardWrapping("T", "R", [] { return std::string("x"); }), "x");
}

TEST(Escalation, NoErrorLogWhileItsNameIsEmpty) {
  EXPECT_EQ(ErrorLogFileName(), "");
}

} // namespace
} // namespace kiv
