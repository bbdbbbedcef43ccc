#include "generation/project.h"

namespace generation {

clsDocument::clsDocument() {
  project.store = modStore::newStore();
  modUsage::loadElementList(project.store);
  modSizeRot::loadSizeRot(project.store);
  modSettings::addOwner(registry_, model::Section::ElementList, usage_);
  modSettings::addOwner(registry_, model::Section::SizeRot, sizeRot_);
  modSettings::addOwner(registry_, model::Section::CreateDialog, create_);
}

}  // namespace generation
