#include "editors/frm_element.h"

#include "editors/frm_main.h"
#include "editors/value_text.h"
#include "model/usage_records.h"

namespace editors {

std::string frmElement::name(int element) const { return modUsage::name(session_.store(), element); }

bool frmElement::inUse(int element) const { return modUsage::inUse(session_.store(), element); }

std::string frmElement::lengthText() const { return modValueText::roundedText(session_.store().grassLength, 7); }

std::string frmElement::useTip(int element) const {
  return tip(model::isRock(element) ? "If checked, this rock will be created." : "If checked, this grass will be created.");
}

std::string frmElement::nameTip(int element) const {
  return tip(model::isRock(element) ? "Dialogs of this rock. Right click to change rock name."
                                    : "Dialogs of this grass. Right click to change grass name.");
}

std::string frmElement::lengthTip() const {
  return tip("The length of grass 1 curve. All other curves' lengths are calculated using this length.");
}

void frmElement::pick(int element) {
  if (main_ != nullptr) main_->setActiveElement(element);
  session_.changed();
}

void frmElement::setUse(int element, bool checked) {
  session_.edit([&] { modUsage::setUse(session_.store(), modStore::clampElement(element), checked ? 1 : 0); });
}

void frmElement::rename(int element) {
  const std::optional<std::string> text = session_.dialogs.text.askText(kPromptCaption, kPromptButton);
  if (!text || text->empty()) return;
  session_.edit([&] { modUsage::setName(session_.store(), modStore::clampElement(element), *text); });
}

void frmElement::applyLength(const std::string& text) {
  session_.edit([&] { modUsage::setLength(session_.store(), text); });
}

}  // namespace editors
