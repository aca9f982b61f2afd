#include "SkinManager.h"

#include "TestControl.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <set>

using namespace AUILib;

namespace {

std::set<int> assignedSlots(const SkinManager &skin)
{
    std::set<int> filled;
    for (int slot = 0; slot < SkinManager::kSlotCount; ++slot) {
        if (skin.GetSlotColor(slot) != SkinManager::kUnassigned)
            filled.insert(slot);
    }
    return filled;
}

const wchar_t *const kAllNames[] = {
    L"Primary_text", L"Disabled_text", L"Input_BG", L"Hover_button_border", L"Button_border",
    L"Disable_Button_border", L"Accent_color", L"Placeholder_text", L"Frame_border", L"Content_BG", L"Hover_BG",
    L"Button_text", L"Disable_button_text", L"Primary_BG", L"Check_or_Radio_border", L"ScrollbarThumb_color",
    L"Scrollbar_BG", L"Hover_scrollbarThumb_color", L"Accent_button_text", L"Press_accent_color",
    L"Hover_accent_color", L"Disable_accent_color", L"Active_BG", L"White_BG", L"Spacing_line", L"Second_BG",
    L"Secondary_text", L"Link_rest", L"Link_pressed", L"Link_hover", L"Link_disabled", L"Light_spacing_line",
    L"Hover_input_border", L"Input_border", L"Disable_input_border", L"Selected_input_border", L"Hover_button_BG",
};

} // namespace

TEST(SkinManagerTest, ANewManagerHasNoColours)
{
    SkinManager skin(SkinModeDark);
    EXPECT_TRUE(assignedSlots(skin).empty());
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDark);
    EXPECT_EQ(skin.GetSlotColor(-1), SkinManager::kUnassigned);
    EXPECT_EQ(skin.GetSlotColor(128), SkinManager::kUnassigned);
    EXPECT_FALSE(skin.IsInitialized());
    EXPECT_FALSE(skin.IsColorsFromMap());
    // High contrast is never reported here, so mode 3 is not kept.
    EXPECT_EQ(SkinManager(SkinModeHCMDark).GetSkinMode(), SkinModeDefault);
    EXPECT_EQ(SkinManager(static_cast<SkinMode>(7)).GetSkinMode(), SkinModeDefault);
}

TEST(SkinManagerTest, ANameReachesEverySlotItIsBoundToInItsTable)
{
    struct Case
    {
        SkinMap map;
        const wchar_t *name;
        std::set<int> filled;
    };
    const Case cases[] = {
        {SkinMapGeneral, L"primary_TEXT", {0,  8,  12, 34, 36, 41,  47,  72,  74,  76,  80,  84,  85,
                                           86, 91, 92, 96, 108, 109, 114, 115, 117, 119, 122, 125, 127}},
        {SkinMapButtons, L"White_BG", {81, 97, 121}},
        {SkinMapGeneral, L"White_BG", {}},
        {SkinMapButtons, L"Accent_color", {6, 18, 33, 44, 53, 54, 55, 61, 62, 68, 99, 101}},
        {SkinMapGeneral, L"Accent_color", {18, 33, 44, 53, 54, 55, 61, 62, 68, 99, 101}},
        {SkinMapGeneral, L"Hover_button_BG", {30}},
        {SkinMapButtons, L"Hover_button_BG", {}},
        {SkinMapButtons, L"Check_or_Radio_border", {29}},
        {SkinMapGeneral, L"Second_BG", {110, 112, 116}},
        {SkinMapButtons, L"Second_BG", {100, 110, 112, 116}},
        // Any map value other than 1 is the general table.
        {static_cast<SkinMap>(5), L"Input_border", {4}},
        {SkinMapGeneral, L"Primary_text ", {}},
        {SkinMapGeneral, L"", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromWCharArray(c.name).toStdString() + " in map " + std::to_string(c.map));
        SkinManager skin(SkinModeDefault);
        skin.AssignColor(c.map, c.name, 0x12345678);
        EXPECT_EQ(assignedSlots(skin), c.filled);
        for (int slot : c.filled)
            EXPECT_EQ(skin.GetSlotColor(slot), 0x12345678u);
    }
}

TEST(SkinManagerTest, EveryNameTogetherReachesAllSlotsButTwo)
{
    for (SkinMap map : {SkinMapGeneral, SkinMapButtons}) {
        SkinManager skin(SkinModeDefault);
        for (const wchar_t *name : kAllNames)
            skin.AssignColor(map, name, 0);
        const std::set<int> filled = assignedSlots(skin);
        EXPECT_EQ(filled.size(), 126u);
        EXPECT_EQ(filled.count(70), 0u);
        EXPECT_EQ(filled.count(71), 0u);
    }
}

TEST(SkinManagerTest, ModesAndTheirRefusal)
{
    SkinManager skin(SkinModeDefault);
    EXPECT_TRUE(skin.SetSkinMode(SkinModeXML));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeXML);
    EXPECT_TRUE(skin.SetSkinMode(SkinModeHCMDark));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDefault);
    EXPECT_TRUE(skin.LoadSkin(SkinModeDark, true, false));
    EXPECT_TRUE(skin.IsLoaded());
    EXPECT_FALSE(skin.SetSkinMode(static_cast<SkinMode>(7)));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDark);
    EXPECT_FALSE(skin.IsLoaded());
    // A refused load still keeps its flag.
    EXPECT_FALSE(skin.LoadSkin(SkinModeCustom, true, false));
    EXPECT_TRUE(skin.IsLoaded());
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDark);
    EXPECT_TRUE(skin.LoadSkin(SkinModeHCMDark, false, true));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDefault);

    skin.LoadHCMDarkSkin(false);
    EXPECT_EQ(skin.GetSkinMode(), SkinModeHCMDark);
    skin.LoadXMLSkin(false);
    EXPECT_EQ(skin.GetSkinMode(), SkinModeXML);
    skin.LoadDarkSkin(false);
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDark);
    skin.LoadDefaultSkin(false);
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDefault);
}

TEST(SkinManagerTest, InitialisingFromItselfHappensOnce)
{
    SkinManager skin(SkinModeDefault);
    EXPECT_TRUE(skin.InitSkinManager(&skin, SkinModeDark));
    EXPECT_TRUE(skin.InitSkinManager(&skin, SkinModeXML));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeDark);
    EXPECT_TRUE(skin.IsInitialized());

    // From another manager it always applies; a refused mode still initialises.
    SkinManager other(SkinModeDefault);
    SkinManager fresh(SkinModeDefault);
    EXPECT_FALSE(fresh.InitSkinManager(&other, static_cast<SkinMode>(9)));
    EXPECT_TRUE(fresh.IsInitialized());
    EXPECT_EQ(fresh.GetSkinMode(), SkinModeDefault);
    EXPECT_TRUE(fresh.InitSkinManager(&other, SkinModeXML));
    EXPECT_EQ(fresh.GetSkinMode(), SkinModeXML);
}

TEST(SkinManagerTest, ACustomSkinTakesTheOthersColoursAndState)
{
    SkinManager dark(SkinModeDark);
    dark.AssignColor(SkinMapGeneral, L"Link_hover", 0xFF00FF00);
    std::map<std::wstring, std::uint32_t> colours{{L"link_rest", 0xFF0000FF}};
    dark.InitSkinColorByMap(SkinMapGeneral, colours);

    SkinManager skin(SkinModeDefault);
    skin.AssignColor(SkinMapGeneral, L"Primary_text", 0xFF000000);
    EXPECT_TRUE(skin.SetCustomSkin(dark));
    EXPECT_EQ(skin.GetSkinMode(), SkinModeCustom);
    EXPECT_EQ(assignedSlots(skin), (std::set<int>{103, 105}));
    EXPECT_EQ(skin.GetSlotColor(103), 0xFF0000FFu);
    EXPECT_TRUE(skin.IsColorsFromMap());
    // Its own tables stay: names still reach their filled.
    skin.AssignColor(SkinMapButtons, L"White_BG", 1);
    EXPECT_EQ(skin.GetSlotColor(97), 1u);

    SkinManager empty(SkinModeDefault);
    empty.InitSkinColorByMap(SkinMapGeneral, {});
    EXPECT_TRUE(empty.IsColorsFromMap());
    EXPECT_TRUE(assignedSlots(empty).empty());
}

TEST(SkinManagerTest, AColourChangeReachesTheOwnerFirst)
{
    struct CountingImpl : TestControl::impl
    {
        using TestControl::impl::impl;
        void OnSkinChange() override { ++changes; }
        int changes = 0;
    };
    QWidget widget;
    CountingImpl owner(&widget);
    SkinManager skin(&owner, SkinModeDefault);
    skin.SetColorChangeFlag(false);
    EXPECT_EQ(owner.changes, 0);
    skin.SetColorChangeFlag(true);
    EXPECT_EQ(owner.changes, 1);
    EXPECT_TRUE(skin.GetColorChangeFlag());
    skin.UpdateColorObjects();
    EXPECT_TRUE(skin.GetColorChangeFlag());
    skin.UpdateCustomColors();
    EXPECT_FALSE(skin.GetColorChangeFlag());

    // Without an owner only the flag changes.
    SkinManager lone(SkinModeDefault);
    lone.SetColorChangeFlag(true);
    EXPECT_TRUE(lone.GetColorChangeFlag());
}
