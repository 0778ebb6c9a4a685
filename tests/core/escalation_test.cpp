#include "core/Escalation.h"
#include "testing/support/Failure.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <system_error>
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

using test::Expected;
using test::Failure;

TEST(Escalation, ForeignFailureBecomesFatalWithItsLocation) {
  auto result = Failure(
      [] { GuardEscalating("TModFile", "GetModel", [] { Raise<std::out_of_range>("index 7"); }); });
  EXPECT_EQ(result,
            std::make_pair(std::string("EPFatal"), std::string("TModFile.GetModel\nindex 7")));
}

TEST(Escalation, LocationLinesStackOutermostFirstThroughMixedForms) {
  auto a = [] { GuardEscalating("UnitA_", "A", [] { Raise<EPFatal>("M"); }); };
  auto b = [&] { GuardWrapping("TB", "B", a); };
  auto c = [&] { GuardEscalating("TC", "C", b); };
  EXPECT_EQ(Failure(c),
            std::make_pair(std::string("EPFatal"), std::string("TC.C\nTB.B\nUnitA_.A\nM")));

  auto a2 = [] { GuardWrapping("UnitA_", "A", [] { Raise<std::runtime_error>("M"); }); };
  auto b2 = [&] { GuardWrapping("TB", "B", a2); };
  EXPECT_EQ(Failure(b2), std::make_pair(std::string("EPFatal"), std::string("TB.B\nUnitA_.A\nM")));
}

TEST(Escalation, ExpectedFailuresPassBothFormsUnchanged) {
  for (auto [name, raise] :
       {std::pair{"EPelo", &Raise<EPelo>}, std::pair{"EPInfo", &Raise<EPInfo>}}) {
    auto inner = [raise = raise] {
      GuardEscalating("T1", "R1", [&] { raise("Invalid model number"); });
    };
    auto middle = [&] { GuardWrapping("T2", "R2", inner); };
    auto outer = [&] { GuardEscalating("T3", "R3", middle); };
    EXPECT_EQ(Failure(outer),
              std::make_pair(std::string(name), std::string("Invalid model number")));
  }
}

TEST(Escalation, WrappingRethrowsTheSameExpectedObject) {
  const EPelo* inFlight = nullptr;
  try {
    GuardWrapping("T", "R", [&] {
      try {
        throw EPInfo("info");
      } catch (const EPInfo& e) {
        inFlight = &e;
        throw;
      }
    });
    FAIL() << "nothing raised";
  } catch (const EPelo& e) {
    EXPECT_EQ(&e, inFlight);
    EXPECT_EQ(typeid(e), typeid(EPInfo));
  }
}

TEST(Escalation, OnlyExactClassesPassTheEscalatingForm) {
  EXPECT_EQ(Failure([] { GuardEscalating("T", "R", [] { Raise<EPeloSubclass>("sub"); }); }),
            std::make_pair(std::string("EPFatal"), std::string("T.R\nsub")));
  // The wrapping form lets every EPelo but EPFatal through.
  EXPECT_EQ(Failure([] { GuardWrapping("T", "R", [] { Raise<EPeloSubclass>("sub"); }); }),
            std::make_pair(std::string("EPelo"), std::string("sub")));
}

TEST(Escalation, PleaseReportInAnyCaseBecomesFatalAtTheFirstEscalatingForm) {
  for (const char* message : {"Layer parameter not found! Please report this error",
                              "x PLEASE REPORT", "pLeAsE rEpOrT it"}) {
    auto wrapped = [&] { GuardWrapping("W", "R", [&] { Raise<EPelo>(message); }); };
    EXPECT_EQ(Failure(wrapped), std::make_pair(std::string("EPelo"), std::string(message)));
    auto escalated = [&] { GuardEscalating("E", "R", wrapped); };
    EXPECT_EQ(Failure(escalated),
              std::make_pair(std::string("EPFatal"), std::string("E.R\n") + message));
    auto info = [&] { GuardEscalating("E", "R", [&] { Raise<EPInfo>(message); }); };
    EXPECT_EQ(Failure(info).first, "EPFatal");
  }
}

TEST(Escalation, ExtraEndsTheMessageWithALineFeed) {
  const std::runtime_error failure("line one\nline two");
  EXPECT_EQ(PeloBuildErrorMessage(failure, "U_.R"), "U_.R\nline one\nline two");
  EXPECT_EQ(PeloBuildErrorMessage(failure, "U_.R", "context"),
            "U_.R\nline one\nline two\ncontext\n");
  const EPFatal created = EPFatalCreate(failure, "TForm", "Show", "more");
  EXPECT_EQ(created.Message(), "TForm.Show\nline one\nline two\nmore\n");
  EXPECT_EQ(Failure([&] { PeloRaiseError(failure, "TForm", "Show", "more"); }),
            Expected("EPFatal", "TForm.Show\nline one\nline two\nmore\n"));
}

TEST(Escalation, ValuesThatAreNotStdExceptionsPassUntouched) {
  auto throwsInt = [] { GuardEscalating("T", "R", [] { throw NotAStdException{42}; }); };
  auto wrapped = [&] { GuardWrapping("T2", "R2", throwsInt); };
  try {
    GuardReplacing("replaced", wrapped);
    FAIL() << "nothing raised";
  } catch (const NotAStdException& e) {
    EXPECT_EQ(e.code, 42);
  }
}

TEST(Escalation, GuardsReturnTheBodysValue) {
  EXPECT_EQ(GuardEscalating("T", "R", [] { return 7; }), 7);
  EXPECT_EQ(GuardWrapping("T", "R", [] { return std::string("x"); }), "x");
  int messagesBuilt = 0;
  EXPECT_EQ(GuardReplacing([&] { return std::to_string(++messagesBuilt); }, [] { return 8; }), 8);
  EXPECT_EQ(messagesBuilt, 0);
}

// The replacing form: whatever failed, the caller gets EPelo with the given message, and the
// failure stays reachable behind it.
TEST(Escalation, ReplacingKeepsTheCauseBehindItsMessage) {
  struct Case {
    const char* what;
    std::function<void()> fail;
    std::string causeMessage;
    std::error_code causeCode;
  };
  const auto diskFull = std::make_error_code(std::errc::no_space_on_device);
  const auto denied = std::make_error_code(std::errc::permission_denied);
  const Case cases[] = {
      {"a full disk", [&] { throw std::system_error(diskFull, "write /d/a.mod"); },
       std::system_error(diskFull, "write /d/a.mod").what(), diskFull},
      {"a refused permission", [&] { throw std::system_error(denied, "open /d/a.mod"); },
       std::system_error(denied, "open /d/a.mod").what(), denied},
      {"a foreign failure", [] { throw std::out_of_range("index 7"); }, "index 7", {}},
      {"an expected failure",
       [] { throw EPelo("Invalid model number"); },
       "Invalid model number",
       {}},
      {"a fatal failure", [] { throw EPFatal("T.R\nM"); }, "T.R\nM", {}},
  };
  for (const Case& c : cases) {
    for (bool built : {false, true}) {
      try {
        if (built)
          GuardReplacing([] { return std::string("Error saving file: a.mod"); }, c.fail);
        else
          GuardReplacing("Error saving file: a.mod", c.fail);
        ADD_FAILURE() << c.what << ": nothing raised";
      } catch (const EPelo& e) {
        EXPECT_EQ(typeid(e), typeid(EPelo)) << c.what;
        EXPECT_EQ(e.Message(), "Error saving file: a.mod") << c.what;
        EXPECT_TRUE(e.Cause()) << c.what;
        EXPECT_EQ(e.CauseMessage(), c.causeMessage) << c.what;
        EXPECT_EQ(e.CauseCode(), c.causeCode) << c.what;
      }
    }
  }
  EXPECT_FALSE(EPelo("no cause").Cause());
  EXPECT_EQ(EPelo("no cause").CauseMessage(), "");
  EXPECT_EQ(EPelo("no cause").CauseCode(), std::error_code());
}

// A replaced failure keeps its cause while it passes the other forms, and a cause that was itself
// replaced gives the system's code from further down.
TEST(Escalation, TheCausePassesTheOtherFormsAndNestedReplacements) {
  const auto diskFull = std::make_error_code(std::errc::no_space_on_device);
  auto inner = [&] {
    GuardReplacing("inner", [&] { throw std::system_error(diskFull, "write"); });
  };
  auto outer = [&] {
    GuardEscalating("T1", "R1",
                    [&] { GuardWrapping("T2", "R2", [&] { GuardReplacing("outer", inner); }); });
  };
  try {
    outer();
    FAIL() << "nothing raised";
  } catch (const EPelo& e) {
    EXPECT_EQ(typeid(e), typeid(EPelo));
    EXPECT_EQ(e.Message(), "outer");
    EXPECT_EQ(e.CauseMessage(), "inner");
    EXPECT_EQ(e.CauseCode(), diskFull);
  }
  try {
    GuardEscalating("T", "R", [&] { GuardReplacing("Please report this error", inner); });
    FAIL() << "nothing raised";
  } catch (const EPFatal& e) {
    EXPECT_EQ(e.Message(), "T.R\nPlease report this error");
    EXPECT_EQ(e.CauseCode(), diskFull);
  }
  // A library's own system failure turns into EPFatal and is still a full disk underneath.
  for (auto guard : {+[](const std::function<void()>& body) { GuardEscalating("T", "R", body); },
                     +[](const std::function<void()>& body) { GuardWrapping("T", "R", body); }}) {
    try {
      guard([&] { throw std::system_error(diskFull, "sqlite3_step"); });
      FAIL() << "nothing raised";
    } catch (const EPFatal& e) {
      EXPECT_EQ(e.CauseCode(), diskFull);
      EXPECT_NE(e.CauseMessage().find("sqlite3_step"), std::string::npos);
    }
  }
}

} // namespace
} // namespace kiv
