#pragma once

#include "SkinAnalyses.h"

#include <array>

// The eight skin items. An item's index is its identity everywhere: picture
// file names in a visit folder, visit-file sections, presetting rows and the
// report screens. None of the values may change without breaking stored visits.
//
// Threading: constant data; read from any thread.
struct SkinItem {
    int index;
    const char* textKey;  // caption in the language files
    const char* fileStem; // "<stem>.jpg" detection picture, "<stem>_0.jpg" analysis picture
    int captureSlot;      // 1-6: the guided-capture slot whose picture the item is analysed from
    int buttonId;         // main-window button that opens the item's report
    SkinAnalysis analysis;
};

constexpr int kSkinItemCount = 8;
constexpr int kCaptureSlotCount = 6;

// Indexes of the items, for code that names one.
enum SkinItemIndex {
    kSkinColour = 0,
    kWaterOil = 1,
    kTexture = 2,
    kSpots = 3,
    kGloss = 4,
    kRedStreaks = 5,
    kSensitivity = 6,
    kPores = 7,
};

inline constexpr std::array<SkinItem, kSkinItemCount> kSkinItems = {{
    {kSkinColour, "IDS_SKINCOLOR", "fs", 3, 1209, &lightnessImage},
    {kWaterOil, "IDS_WATER_OIL", "yf", 1, 1210, &shineRatio},
    {kTexture, "IDS_TEXTURE", "xw", 2, 1212, &edgeDensity},
    {kSpots, "IDS_SPOT", "sb", 5, 1213, &darkSpotArea},
    {kGloss, "IDS_GLOSS", "gzd", 1, 1215, &greyContrast},
    {kRedStreaks, "IDS_Inflammation", "yz", 4, 1214, &redPixelRatio},
    {kSensitivity, "IDS_Sensitivity", "mgd", 5, 1216, &lightnessSpread},
    {kPores, "IDS_Pore", "mk", 6, 1217, &poreBlobs},
}};

// The order in which a run scores the seven measured items; the skin-colour
// picture is analysed first, and its score is derived from these seven.
inline constexpr std::array<int, 7> kScoringOrder = {kWaterOil,   kGloss,       kTexture, kSpots,
                                                     kRedStreaks, kSensitivity, kPores};
