#include "testing/gui/FormRegistryFixture.h"
#include "testing/support/Failure.h"

namespace kiv::test {
namespace {

using FormRegistryWithoutForm = FormRegistryTest;

struct FormOperation {
  const char* name;
  void (*call)(TFormRegistry&);
};

// Every operation that works on the object's form, on an object made from a form name.
const FormOperation kFormOperations[] = {
    {"SavePosition", [](TFormRegistry& r) { r.SavePosition(); }},
    {"Restore", [](TFormRegistry& r) { r.Restore(); }},
    {"SaveLeft", [](TFormRegistry& r) { r.SaveLeft(); }},
    {"SaveTop", [](TFormRegistry& r) { r.SaveTop(); }},
    {"SaveWidth", [](TFormRegistry& r) { r.SaveWidth(); }},
    {"SaveHeight", [](TFormRegistry& r) { r.SaveHeight(); }},
    {"SaveUndockWidth", [](TFormRegistry& r) { r.SaveUndockWidth(); }},
    {"SaveUndockHeight", [](TFormRegistry& r) { r.SaveUndockHeight(); }},
    {"SaveWindowState", [](TFormRegistry& r) { r.SaveWindowState(); }},
    {"SaveVisible", [](TFormRegistry& r) { r.SaveVisible(); }},
    {"SaveDockHost", [](TFormRegistry& r) { r.SaveDockHost(); }},
    {"SaveFormStyle", [](TFormRegistry& r) { r.SaveFormStyle(); }},
    {"SaveBorderStyle", [](TFormRegistry& r) { r.SaveBorderStyle(); }},
    {"SaveDragMode", [](TFormRegistry& r) { r.SaveDragMode(); }},
    {"SaveDragKind", [](TFormRegistry& r) { r.SaveDragKind(); }},
    {"SaveLRDockWidth", [](TFormRegistry& r) { r.SaveLRDockWidth(); }},
    {"SaveTBDockHeight", [](TFormRegistry& r) { r.SaveTBDockHeight(); }},
    {"SaveAllCols", [](TFormRegistry& r) { r.SaveAllCols(); }},
    {"ReadAllCols", [](TFormRegistry& r) { r.ReadAllCols(); }},
    {"ReadAllPanels", [](TFormRegistry& r) { r.ReadAllPanels(); }},
};

TEST_F(FormRegistryWithoutForm, EveryFormOperationFailsAsFatalNamingItself) {
  TFormRegistry registry("Survey", 3);
  for (const FormOperation& operation : kFormOperations)
    EXPECT_EQ(Failure([&] { operation.call(registry); }),
              Expected("EPFatal", std::string("TFormRegistry.") + operation.name +
                                      "\nNo form: the object was made from a form name"));
  EXPECT_EQ(ValueNames(FormKey("Survey\\Settings")), std::vector<std::string>{"Version"});
}

TEST_F(FormRegistryWithoutForm, SavingAllPanelsDoesNothing) {
  TFormRegistry registry("Survey", 3);
  EXPECT_EQ(Failure([&] { registry.SaveAllPanels(); }), Expected("nothing", ""));
}

} // namespace
} // namespace kiv::test
