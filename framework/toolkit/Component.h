#pragma once

// Toolkit: the component (TComponent), with owner, name, tag, owned components and free
// notification.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// What a component is told about another one: it was added to its owned components, or it goes.
enum class TOperation { opInsert, opRemove };

// Something with an owner that frees it, a name and a tag. A component with an owner is created
// with new; the owner frees its components last first (the reverse of their creation order).
class TComponent {
public:
  explicit TComponent(TComponent* AOwner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const noexcept { return FOwner; }
  const std::string& Name() const noexcept { return FName; }
  void SetName(std::string AName) { FName = std::move(AName); }
  int Tag() const noexcept { return FTag; }
  void SetTag(int ATag) noexcept { FTag = ATag; }

  // The owned components in creation order.
  int ComponentCount() const noexcept;
  TComponent& Components(int AIndex) const;
  // The owned component of that name (compared without regard to ASCII case), or null.
  TComponent* FindComponent(std::string_view AName) const;

  // AComponent's Notification(*this, opRemove) runs when this component goes (and the other way
  // round), so neither keeps a dangling pointer to the other.
  void FreeNotification(TComponent& AComponent);
  void RemoveFreeNotification(TComponent& AComponent);

  // The run-time class name without namespace: "TButton".
  virtual std::string ClassName() const;

protected:
  // AComponent was inserted into or removed from the owned components, or a component that this
  // one watches through FreeNotification goes: during opRemove, compare its address only.
  virtual void Notification(TComponent& AComponent, TOperation AOperation);
  // Frees the owned components, last first. Controls call it before their window goes, so that
  // what they own is freed while it is still whole.
  void DestroyComponents() noexcept;

private:
  void Unlink(std::vector<TComponent*>& list, const TComponent& component) noexcept;

  TComponent* FOwner;
  std::string FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

} // namespace kiv
