#include "framework/toolkit/Component.h"
#include "testing/support/Failure.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kiv {
namespace {

// Records its own end and the notifications it receives in a shared log.
class TProbe : public TComponent {
public:
  TProbe(TComponent* AOwner, std::string AName, std::vector<std::string>& ALog)
      : TComponent(AOwner), FLog(ALog) {
    SetName(std::move(AName));
  }
  ~TProbe() override { FLog.push_back("free " + Name()); }

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override {
    if (AOperation == TOperation::opRemove)
      FLog.push_back(Name() + " told " + (&AComponent == Watched ? "watched" : "other") + " goes");
  }

public:
  TComponent* Watched = nullptr;

private:
  std::vector<std::string>& FLog;
};

TEST(TComponent, FreesOwnedComponentsLastFirstAfterTheirOwnOwned) {
  std::vector<std::string> log;
  {
    TProbe owner(nullptr, "owner", log);
    auto* first = new TProbe(&owner, "first", log);
    new TProbe(first, "first.child", log);
    new TProbe(&owner, "second", log);
    ASSERT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(&owner.Components(0), first);
    EXPECT_EQ(owner.Components(1).Name(), "second");
  }
  // An owner in the middle of its own end is no longer told of its components going.
  EXPECT_EQ(log, (std::vector<std::string>{"free owner", "free second", "free first",
                                           "free first.child"}));
}

TEST(TComponent, ComponentFreedByHandLeavesItsOwnersList) {
  std::vector<std::string> log;
  TProbe owner(nullptr, "owner", log);
  auto* first = new TProbe(&owner, "first", log);
  new TProbe(&owner, "second", log);
  delete first;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0).Name(), "second");
  EXPECT_EQ(test::Failure([&] { owner.Components(1); }),
            test::Expected("foreign", "TComponent.Components: index 1 out of range"));
}

TEST(TComponent, FreeNotificationTellsTheWatcherEitherWay) {
  std::vector<std::string> log;
  TProbe watcher(nullptr, "watcher", log);
  {
    TProbe watched(nullptr, "watched", log);
    watched.FreeNotification(watcher);
    watcher.Watched = &watched;
  }
  EXPECT_EQ(log, (std::vector<std::string>{"free watched", "watcher told watched goes"}));

  log.clear();
  auto* early = new TProbe(nullptr, "early", log);
  watcher.FreeNotification(*early);
  delete early; // both forget each other, or the watcher's end would tell a freed object
  auto* late = new TProbe(nullptr, "late", log);
  late->FreeNotification(watcher);
  late->RemoveFreeNotification(watcher);
  delete late;
  EXPECT_EQ(log, (std::vector<std::string>{"free early", "watcher told other goes", "free late"}));
}

TEST(TComponent, FindsOwnedComponentsByNameWithoutRegardToCase) {
  std::vector<std::string> log;
  TProbe owner(nullptr, "owner", log);
  auto* button = new TProbe(&owner, "AcceptButton", log);
  EXPECT_EQ(owner.FindComponent("acceptBUTTON"), button);
  EXPECT_EQ(owner.FindComponent("Cancel"), nullptr);
}

TEST(TComponent, ClassNameIsTheBareRunTimeClassName) {
  std::vector<std::string> log;
  const TComponent plain(nullptr);
  const TProbe probe(nullptr, "p", log);
  EXPECT_EQ(plain.ClassName(), "TComponent");
  EXPECT_EQ(static_cast<const TComponent&>(probe).ClassName(), "TProbe");
}

} // namespace
} // namespace kiv
