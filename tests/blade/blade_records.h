#pragma once
// The blade layer's records as the program starts with them: a store with the curve, shape and
// size and rotation owners and the built-in default text applied, without the open document.

#include "blade/curve_records.h"
#include "blade/shape_records.h"
#include "blade/size_rot.h"
#include "fakes/fake_platform.h"
#include "model/default_texts.h"
#include "model/value_functions.h"
#include "support/record_line.h"

namespace support {

struct clsBladeRecords {
  clsBladeRecords() {
    modCurveRecords::loadCurves(store);
    modWidthProfile::loadShape(store, widths);
    modSizeRot::loadSizeRot(store);
    model::clsSettingsRegistry registry;
    modSettings::addOwner(registry, model::Section::Curve, curve);
    modSettings::addOwner(registry, model::Section::Shape, shape);
    modSettings::addOwner(registry, model::Section::SizeRot, sizeRot);
    fakes::FakeMessages messages;
    std::string note;  // the default text's other records, which these owners do not take
    modSettings::applySettingsText(registry, modDefaults::defaultElementText(), messages, note);
    modStore::setActiveElement(store, 1);
  }
  std::int32_t slot(int element, int s) const { return modGeneral::toLong(modStore::readElementSlot(store, element, s)); }

  model::clsStore store = modStore::newStore();
  blade::clsWidthProfile widths;
  blade::clsCurveRecords curve{store};
  blade::clsShapeRecords shape{store, widths};
  blade::clsSizeRotRecords sizeRot{store};
};

}  // namespace support
