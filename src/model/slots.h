#pragma once
// Every element's 44 numbered slots, by number and name: the one place a slot number is
// written. Settings records and snapshots read the slots by these numbers.

namespace model::slot {

// The element
inline constexpr int kUse = 1;
inline constexpr int kName = 2;
// The blade curve
inline constexpr int kCurve = 3;
inline constexpr int kVariationX = 4;  // 4, 5, 6: X, Y, Z
inline constexpr int kPointCount = 7;
inline constexpr int kActivePoint = 8;
// The width profile
inline constexpr int kSymmetric = 9;
inline constexpr int kNodeCount = 10;
inline constexpr int kCompoundCount = 11;  // the smooth flag for rocks
inline constexpr int kCompoundAngle = 12;
inline constexpr int kCompoundSize = 13;
inline constexpr int kJointNode = 14;
inline constexpr int kSplitNode = 15;
inline constexpr int kSectionChange = 16;
inline constexpr int kWidthVariation = 17;
inline constexpr int kSecondColourNode = 18;
inline constexpr int kActiveNode = 19;
inline constexpr int kActiveSide = 20;
// Size and rotation
inline constexpr int kSizeVar = 21;
inline constexpr int kSpinStart = 22;
inline constexpr int kSpinRange = 23;
inline constexpr int kSpinShare = 24;
inline constexpr int kLeanX = 25;  // leans 1, 2, 3 are slots 25, 26, 27
inline constexpr int kMinPerClump = 28;
inline constexpr int kMaxPerClump = 29;
inline constexpr int kTwistChance = 30;
// Coverage
inline constexpr int kCoverX = 31;
inline constexpr int kCoverZ = 32;
inline constexpr int kItemCount = 33;
inline constexpr int kCoveragePath = 34;
inline constexpr int kCircle = 35;
inline constexpr int kPickColour = 36;
// Altitude
inline constexpr int kMaxHeight = 37;
inline constexpr int kUseSpace = 38;
inline constexpr int kAltitudePath = 39;
// Colours
inline constexpr int kColourSet = 40;
inline constexpr int kRainbow1 = 41;   // 41, 42: first and second set
inline constexpr int kMoreInfo1 = 43;  // 43, 44

}  // namespace model::slot
