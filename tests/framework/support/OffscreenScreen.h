#pragma once

namespace kiv::test {

// Makes Qt draw on an offscreen screen of 1920 by 1080 pixels at 96 dpi unless QT_QPA_PLATFORM
// already names a platform. Call it before the application object exists.
void UseOffscreenScreenUnlessSet();

} // namespace kiv::test
