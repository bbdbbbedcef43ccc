#pragma once
// The generator's driver: a snapshot of the document, up to 50 random curve variants per
// element, then for every element in use its items in clumps on the coverage area, each built
// by the blade, compound-leaf or rock builder and handed to the sink.

#include "generation/item_sink.h"
#include "generation/run_settings.h"
#include "model/random.h"
#include "platform/platform.h"

namespace modItemPlacement {

inline constexpr int kVariedCurves = 50;

// The first status other than GoOn that the sink gave for an item, or the status of its finish.
generation::RunStatus generateAll(const generation::clsRunSettings& settings, generation::IItemSink& sink,
                                  model::clsRandom& random, platform::IMessageBox& messages);

}  // namespace modItemPlacement
