// Feeds arbitrary bytes to the settings-text parser the way "Open settings..." does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fakes/fake_platform.h"
#include "document/settings_files.h"
#include "document/startup.h"

namespace {

struct clsTarget {
  clsTarget() { modStartup::startDocument(document, fake.platform); }
  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static clsTarget target;  // one document for the whole run: each input starts from the last
  document::clsDocument& document = target.document;
  target.fake.messages.shown.clear();
  const std::string before = modSettingsFiles::settingsText(document);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (modSettingsFiles::applyUserText(document, text, target.fake.platform)) {
    // Whatever was applied must be written and read back to the same text.
    const std::string saved = modSettingsFiles::settingsText(document);
    if (!modSettingsFiles::applyUserText(document, saved, target.fake.platform)) __builtin_trap();
    if (modSettingsFiles::settingsText(document) != saved) __builtin_trap();
  } else if (modSettingsFiles::settingsText(document) != before || target.fake.messages.shown.empty()) {
    __builtin_trap();  // a refused text must say so and leave everything as it was
  }
  return 0;
}
