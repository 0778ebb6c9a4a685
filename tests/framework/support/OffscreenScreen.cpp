#include "tests/framework/support/OffscreenScreen.h"

#include <QByteArray>
#include <QtGlobal>

namespace kiv::test {

void UseOffscreenScreenUnlessSet() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KIV_OFFSCREEN_SCREEN_CONFIG);
}

} // namespace kiv::test
