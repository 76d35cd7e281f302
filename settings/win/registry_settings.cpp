#include "settings/win/registry_settings.h"

#include "settings/load_settings.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {

void LoadSettingsFromRegistry(BarcodeJob& job) {
    RegistryStore store(kStoreKeyPath);
    LoadSettings(job, store);
}

}  // namespace merrowin::win
