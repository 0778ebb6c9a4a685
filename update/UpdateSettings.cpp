#include "update/UpdateSettings.h"

namespace kiv {

UpdateSettings DefaultUpdateSettings() {
  UpdateSettings settings;
  settings.serverAddress = KIV_UPDATE_SERVER;
  settings.releaseFolder = KIV_UPDATE_RELEASE_FOLDER;
  settings.caFile = KIV_UPDATE_CA_FILE;
  return settings;
}

} // namespace kiv
