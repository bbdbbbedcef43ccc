// Feeds arbitrary bytes to the settings-text parser the way "Open settings..." does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fakes/fake_platform.h"
#include "generation/settings_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fakes::FakePlatform fake;
  generation::clsDocument document{fake.platform};
  modSettingsFiles::resetSettings(document, fake.platform);
  const std::string before = modSettingsFiles::settingsText(document);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (modSettingsFiles::applyUserText(document, text, fake.platform)) {
    // Whatever was applied must be written and read back to the same text.
    const std::string saved = modSettingsFiles::settingsText(document);
    if (!modSettingsFiles::applyUserText(document, saved, fake.platform)) __builtin_trap();
    if (modSettingsFiles::settingsText(document) != saved) __builtin_trap();
  } else if (modSettingsFiles::settingsText(document) != before) {
    __builtin_trap();  // a refused text must leave everything as it was
  }
  return 0;
}
