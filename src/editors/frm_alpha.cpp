#include "editors/frm_alpha.h"

#include "editors/value_text.h"
#include "generation/map_records.h"
#include "materials/colour_math.h"
#include "model/value_functions.h"

namespace editors {

namespace slot = model::slot;

namespace {

const model::tValue& slotValue(const model::clsStore& store, int s) { return modStore::readSlot(store, s); }

}  // namespace

frmAlpha::frmAlpha(clsSession& session) : clsPictureEditor(session, slot::kCoveragePath) {}

generation::tPicture frmAlpha::picture() const { return session_.project().pictures.coverage[index()]; }

bool frmAlpha::showsBlank() const {
  return fileNameText().empty() && modGeneral::toInteger(slotValue(session_.store(), slot::kCircle)) == 0;
}

std::string frmAlpha::coverText(int axis) const {
  return modValueText::roundedText(modGeneral::toSingle(slotValue(session_.store(), axis == 0 ? slot::kCoverX : slot::kCoverZ)), 7);
}

std::string frmAlpha::itemCountText() const {
  return std::to_string(modGeneral::toLong(slotValue(session_.store(), slot::kItemCount)));
}

std::int32_t frmAlpha::pickColour() const { return modGeneral::toLong(slotValue(session_.store(), slot::kPickColour)); }

void frmAlpha::applyCover(int axis, const std::string& text) {
  session_.edit([&] {
    if (axis == 0) modMapRecords::setCoverX(session_.store(), text);
    else modMapRecords::setCoverZ(session_.store(), text);
  });
}

void frmAlpha::applyItemCount(const std::string& text) {
  session_.edit([&] { modMapRecords::setItemCount(session_.store(), text); });
}

void frmAlpha::loadFile(const std::string& path) {
  session_.edit([&] { modMapRecords::loadCoverageImage(context(), path); });
  resetScroll();
}

void frmAlpha::clear() { loadFile(""); }

void frmAlpha::circle() {
  session_.edit([&] {
    modMapRecords::loadCoverageImage(context(), "");
    modMapRecords::setCircle(context(), 1);
  });
  resetScroll();
}

void frmAlpha::clearPick() {
  session_.edit([&] { modMapRecords::setPick(session_.store(), -1); });
}

void frmAlpha::pickAt(int x, int y) {
  // The blank area is white; beyond the picture there is no colour.
  const generation::tPicture shown = picture();
  const clsPictureArea visible = area();
  std::int32_t colour = -1;
  if (!visible.blank && shown) colour = shown->colourAt(x, y);
  else if (x >= 0 && y >= 0 && x < visible.width && y < visible.height) colour = modColour::kWhite;
  session_.edit([&] { modMapRecords::setPick(session_.store(), colour); });
}

void frmAlpha::paste() {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const int from = copySource_;
    const auto value = [&](int s) { return modStore::readElementSlot(store, from, s); };
    // The picture is read again from its file, as a paste in another session would.
    modMapRecords::loadCoverageImage(context(), modGeneral::toText(value(slot::kCoveragePath)));
    modMapRecords::setCoverX(store, value(slot::kCoverX));
    modMapRecords::setCoverZ(store, value(slot::kCoverZ));
    modMapRecords::setItemCount(store, value(slot::kItemCount));
    modMapRecords::setCircle(context(), value(slot::kCircle));
    modMapRecords::setPick(store, value(slot::kPickColour));
  });
  resetScroll();
}

frmBump::frmBump(clsSession& session) : clsPictureEditor(session, slot::kAltitudePath) {}

generation::tPicture frmBump::picture() const { return session_.project().pictures.altitude[index()]; }

bool frmBump::showsBlank() const { return fileNameText().empty(); }

std::string frmBump::maxHeightText() const {
  return modValueText::roundedText(modGeneral::toSingle(slotValue(session_.store(), slot::kMaxHeight)), 7);
}

bool frmBump::useSpace() const { return modGeneral::toInteger(slotValue(session_.store(), slot::kUseSpace)) != 0; }

void frmBump::applyMaxHeight(const std::string& text) {
  session_.edit([&] { modMapRecords::setMaxHeight(session_.store(), text); });
}

void frmBump::setUseSpace(bool on) {
  session_.edit([&] { modMapRecords::setUseSpace(session_.store(), on ? 1 : 0); });
}

void frmBump::loadFile(const std::string& path) {
  session_.edit([&] { modMapRecords::loadAltitudeImage(context(), path); });
  resetScroll();
}

void frmBump::clear() { loadFile(""); }

void frmBump::paste() {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const int from = copySource_;
    const auto value = [&](int s) { return modStore::readElementSlot(store, from, s); };
    modMapRecords::loadAltitudeImage(context(), modGeneral::toText(value(slot::kAltitudePath)));
    modMapRecords::setMaxHeight(store, value(slot::kMaxHeight));
    modMapRecords::setUseSpace(store, value(slot::kUseSpace));
  });
  resetScroll();
}

}  // namespace editors
