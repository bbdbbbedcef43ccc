#include "generation/map_records.h"

#include <array>

#include "model/number_format.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace modMapRecords {

namespace slot = model::slot;

namespace {

constexpr float kSmallestCover = 0.0000001f;

std::size_t activeIndex(const model::clsStore& store) { return static_cast<std::size_t>(store.activeElement - 1); }

std::string textSlot(const model::clsStore& store, int element, int slotNumber) {
  return modGeneral::toText(modStore::readElementSlot(store, element, slotNumber));
}

// A path field: "<sp>" becomes a blank, then "<empty>" becomes nothing.
std::string pathOf(std::string_view field) {
  return modText::replaceAll(modText::replaceAll(field, "<sp>", " "), "<empty>", "");
}

}  // namespace

void loadMaps(model::clsStore& store, generation::clsMapPictures& pictures) {
  pictures = {};
  for (int e = 1; e <= model::kElementCount; ++e) {
    modStore::writeElementSlot(store, e, slot::kCoverX, 5.0f);
    modStore::writeElementSlot(store, e, slot::kCoverZ, 5.0f);
    modStore::writeElementSlot(store, e, slot::kItemCount, std::int32_t{10});
    modStore::writeElementSlot(store, e, slot::kCoveragePath, std::string());
    modStore::writeElementSlot(store, e, slot::kCircle, std::int16_t{0});
    modStore::writeElementSlot(store, e, slot::kPickColour, std::int32_t{-1});
    modStore::writeElementSlot(store, e, slot::kMaxHeight, 2.0f);
    modStore::writeElementSlot(store, e, slot::kUseSpace, std::int16_t{0});
    modStore::writeElementSlot(store, e, slot::kAltitudePath, std::string());
  }
}

void setCoverX(model::clsStore& store, const tValue& value) {
  modStore::writeSlot(store, slot::kCoverX, static_cast<float>(modGeneral::atLeast(modGeneral::toSingle(value), kSmallestCover)));
}

void setCoverZ(model::clsStore& store, const tValue& value) {
  modStore::writeSlot(store, slot::kCoverZ, static_cast<float>(modGeneral::atLeast(modGeneral::toSingle(value), kSmallestCover)));
}

void setItemCount(model::clsStore& store, const tValue& value) {
  modStore::writeSlot(store, slot::kItemCount,
                      static_cast<std::int32_t>(modGeneral::clampValue(modGeneral::toLong(value), 1, 1000000)));
}

void setPick(model::clsStore& store, const tValue& value) {
  const bool none = modGeneral::toDouble(value) < 0;
  modStore::writeSlot(store, slot::kPickColour, none ? std::int32_t{-1} : modGeneral::toColour(value));
}

void setCircle(clsMapContext context, const tValue& value) {
  const auto circle = modGeneral::toClampedInteger(value, 0, 1);
  modStore::writeSlot(context.store, slot::kCircle, circle);
  if (circle == 1) context.pictures.coverage[activeIndex(context.store)] = modMapPictures::circlePicture();
}

void loadCoverageImage(clsMapContext context, std::string_view path) {
  setCircle(context, 0);
  setPick(context.store, -1);
  generation::clsLoadedPicture loaded = modMapPictures::loadPicture(path, context.loader, context.messages, &context.files, &context.shelf);
  context.pictures.coverage[activeIndex(context.store)] = std::move(loaded.picture);
  modStore::writeSlot(context.store, slot::kCoveragePath, loaded.pathUsed);
}

void setMaxHeight(model::clsStore& store, const tValue& value) {
  modStore::writeSlot(store, slot::kMaxHeight, modGeneral::toSingle(value));
}

void setUseSpace(model::clsStore& store, const tValue& value) {
  modStore::writeIntegerSlot(store, slot::kUseSpace, value, 0, 1);
}

void loadAltitudeImage(clsMapContext context, std::string_view path) {
  generation::clsLoadedPicture loaded = modMapPictures::loadPicture(path, context.loader, context.messages, &context.files, &context.shelf);
  context.pictures.altitude[activeIndex(context.store)] = std::move(loaded.picture);
  modStore::writeSlot(context.store, slot::kAltitudePath, loaded.pathUsed);
}

std::vector<clsUnreadablePicture> unreadablePictures(const model::clsStore& store,
                                                      const generation::clsMapPictures& pictures) {
  std::vector<clsUnreadablePicture> unreadable;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto index = static_cast<std::size_t>(e - 1);
    const std::string coverage = textSlot(store, e, slot::kCoveragePath);
    if (!coverage.empty() && !pictures.coverage[index]) unreadable.push_back({e, false, coverage});
    const std::string altitude = textSlot(store, e, slot::kAltitudePath);
    if (!altitude.empty() && !pictures.altitude[index]) unreadable.push_back({e, true, altitude});
  }
  return unreadable;
}

std::string coverageText(const model::clsStore& store) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto value = [&](int s) -> const model::tValue& { return modStore::readElementSlot(store, e, s); };
    text += "Alpha " + std::to_string(e) + ' ';
    modNumber::appendSingle(text, modGeneral::toSingle(value(slot::kCoverX)));
    text += ' ';
    modNumber::appendSingle(text, modGeneral::toSingle(value(slot::kCoverZ)));
    text += ' ' + std::to_string(modGeneral::toLong(value(slot::kItemCount))) + ' ' +
            modText::encodeText(textSlot(store, e, slot::kCoveragePath)) + ' ' +
            std::to_string(modGeneral::toInteger(value(slot::kCircle))) + ' ' +
            std::to_string(modGeneral::toLong(value(slot::kPickColour))) + modText::kLineBreak;
  }
  return text;
}

model::RecordStatus applyCoverage(clsMapContext context, std::string_view keyword, const model::tFields& fields) {
  if (keyword != "alpha") return model::RecordStatus::NotMine;
  std::array<double, 6> values{};  // fields 1..4, 6, 7; field 5 is the path
  if (!modSettings::numberFields(fields, 1, std::span(values).first(4)) ||
      !modSettings::numberFields(fields, 6, std::span(values).subspan(4)))
    return model::RecordStatus::Failed;
  modStore::setActiveElement(context.store, modStore::clampElement(values[0]));
  loadCoverageImage(context, pathOf(fields[5]));
  setCoverX(context.store, values[1]);
  setCoverZ(context.store, values[2]);
  setItemCount(context.store, values[3]);
  setCircle(context, values[4]);
  setPick(context.store, values[5]);
  return model::RecordStatus::Applied;
}

std::string altitudeText(const model::clsStore& store) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    text += "Bump " + std::to_string(e) + ' ';
    modNumber::appendSingle(text, modGeneral::toSingle(modStore::readElementSlot(store, e, slot::kMaxHeight)));
    text += ' ' + std::to_string(modGeneral::toInteger(modStore::readElementSlot(store, e, slot::kUseSpace))) + ' ' +
            modText::encodeText(textSlot(store, e, slot::kAltitudePath)) + modText::kLineBreak;
  }
  return text;
}

model::RecordStatus applyAltitude(clsMapContext context, std::string_view keyword, const model::tFields& fields) {
  if (keyword != "bump") return model::RecordStatus::NotMine;
  std::array<double, 3> values{};
  if (!modSettings::numberFields(fields, 1, values) || fields.size() <= 4) return model::RecordStatus::Failed;
  modStore::setActiveElement(context.store, modStore::clampElement(values[0]));
  loadAltitudeImage(context, pathOf(fields[4]));
  setMaxHeight(context.store, values[1]);
  setUseSpace(context.store, values[2]);
  return model::RecordStatus::Applied;
}

}  // namespace modMapRecords
