#include "SkinManager.h"

#include "AUILibUtils.h"
#include "BaseImpl.h"

#include <cwctype>

namespace AUILib {

namespace {

// The general table by slot; slots 70 and 71 have no name.
const wchar_t *const kGeneralNames[SkinManager::kSlotCount] = {
    L"Primary_text", L"Disabled_text", L"Input_BG", L"Hover_input_border", L"Input_border",
    L"Disable_input_border", L"Selected_input_border", L"Placeholder_text",
    L"Primary_text", L"Disabled_text", L"Frame_border", L"Content_BG", L"Primary_text", L"Disabled_text",
    L"Content_BG", L"Content_BG",
    L"Hover_BG", L"Frame_border", L"Accent_color", L"Placeholder_text", L"Button_text", L"Disable_button_text",
    L"Button_text", L"Input_BG",
    L"Primary_BG", L"Disable_Button_border", L"Button_text", L"Input_BG", L"Hover_button_border", L"Button_text",
    L"Hover_button_BG", L"Button_border",
    L"Disable_Button_border", L"Accent_color", L"Primary_text", L"Disabled_text", L"Primary_text", L"Content_BG",
    L"Primary_BG", L"Frame_border",
    L"Hover_BG", L"Primary_text", L"Frame_border", L"Frame_border", L"Accent_color", L"ScrollbarThumb_color",
    L"Scrollbar_BG", L"Primary_text",
    L"ScrollbarThumb_color", L"Hover_scrollbarThumb_color", L"Frame_border", L"Accent_button_text",
    L"Accent_button_text", L"Accent_color", L"Accent_color", L"Accent_color",
    L"Content_BG", L"Press_accent_color", L"Accent_button_text", L"Hover_accent_color", L"Press_accent_color",
    L"Accent_color", L"Accent_color", L"Disable_accent_color",
    L"Accent_button_text", L"Disable_accent_color", L"Press_accent_color", L"Press_accent_color", L"Accent_color",
    L"Accent_button_text", nullptr, nullptr,
    L"Primary_text", L"Frame_border", L"Primary_text", L"Disabled_text", L"Primary_text", L"Active_BG",
    L"Frame_border", L"Frame_border",
    L"Primary_text", L"Content_BG", L"Hover_accent_color", L"Frame_border", L"Primary_text", L"Primary_text",
    L"Primary_text", L"Disabled_text",
    L"Disabled_text", L"Content_BG", L"Spacing_line", L"Primary_text", L"Primary_text", L"Disabled_text",
    L"Frame_border", L"Content_BG",
    L"Primary_text", L"Content_BG", L"Active_BG", L"Accent_color", L"Hover_BG", L"Accent_color",
    L"Secondary_text", L"Link_rest",
    L"Link_pressed", L"Link_hover", L"Link_disabled", L"Secondary_text", L"Primary_text", L"Primary_text",
    L"Second_BG", L"Active_BG",
    L"Second_BG", L"Light_spacing_line", L"Primary_text", L"Primary_text", L"Second_BG", L"Primary_text",
    L"ScrollbarThumb_color", L"Primary_text",
    L"Disabled_text", L"Content_BG", L"Primary_text", L"Content_BG", L"Content_BG", L"Primary_text",
    L"Frame_border", L"Primary_text",
};

// Where the table for button-like controls differs from the general one.
struct SlotName
{
    int slot;
    const wchar_t *name;
};
const SlotName kButtonsDifferences[] = {
    {3, L"Hover_button_border"}, {4, L"Button_border"}, {5, L"Disable_Button_border"}, {6, L"Accent_color"},
    {29, L"Check_or_Radio_border"}, {30, L"Disable_Button_border"}, {81, L"White_BG"}, {97, L"White_BG"},
    {100, L"Second_BG"}, {121, L"White_BG"},
};

bool sameNameIgnoringCase(const std::wstring &a, const std::wstring &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    }
    return true;
}

} // namespace

SkinManager::SkinManager(BaseImpl *owner, SkinMode mode)
    : m_owner(owner)
{
    m_slots.fill(kUnassigned);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!kGeneralNames[slot])
            continue;
        m_generalTable.push_back(Binding{kGeneralNames[slot], slot});
        m_buttonsTable.push_back(Binding{kGeneralNames[slot], slot});
    }
    for (const SlotName &difference : kButtonsDifferences) {
        for (Binding &binding : m_buttonsTable) {
            if (binding.slot == difference.slot)
                binding.name = difference.name;
        }
    }
    resolveMode(mode);
}

SkinManager::SkinManager(SkinMode mode)
    : SkinManager(nullptr, mode)
{
}

bool SkinManager::resolveMode(SkinMode requested)
{
    if (requested < SkinModeDefault || requested > SkinModeHCMDark)
        return false;
    if (AUILibUtils::IsSystemHighContrastMode())
        m_mode = SkinModeHCMDark;
    else
        m_mode = requested == SkinModeHCMDark ? SkinModeDefault : requested;
    return true;
}

bool SkinManager::LoadSkin(SkinMode mode, bool loaded, bool)
{
    m_loaded = loaded;
    return resolveMode(mode);
}

bool SkinManager::SetSkinMode(SkinMode mode)
{
    m_loaded = false;
    return resolveMode(mode);
}

void SkinManager::LoadDefaultSkin(bool) { m_mode = SkinModeDefault; }
void SkinManager::LoadDarkSkin(bool) { m_mode = SkinModeDark; }
void SkinManager::LoadXMLSkin(bool) { m_mode = SkinModeXML; }
void SkinManager::LoadHCMDarkSkin(bool) { m_mode = SkinModeHCMDark; }

bool SkinManager::InitSkinManager(const SkinManager *other, SkinMode mode)
{
    if (other == this) {
        m_base = nullptr;
        if (m_initialized)
            return true;
    } else {
        m_base = other;
    }
    m_loaded = false;
    const bool resolved = resolveMode(mode);
    m_initialized = true;
    return resolved;
}

const std::vector<SkinManager::Binding> &SkinManager::table(SkinMap map) const
{
    return map == SkinMapButtons ? m_buttonsTable : m_generalTable;
}

void SkinManager::AssignColor(SkinMap map, const std::wstring &name, std::uint32_t colour)
{
    for (const Binding &binding : table(map)) {
        if (sameNameIgnoringCase(binding.name, name))
            m_slots[binding.slot] = colour;
    }
}

void SkinManager::InitSkinColorByMap(SkinMap map, const std::map<std::wstring, std::uint32_t> &colours)
{
    for (const auto &entry : colours)
        AssignColor(map, entry.first, entry.second);
    m_colorsFromMap = true;
}

bool SkinManager::SetCustomSkin(const SkinManager &other)
{
    m_slots = other.m_slots;
    m_base = other.m_base;
    m_colorsFromMap = other.m_colorsFromMap;
    m_owner = other.m_owner;
    m_loaded = other.m_loaded;
    m_initialized = other.m_initialized;
    m_colorChanged = other.m_colorChanged;
    m_mode = SkinModeCustom;
    return true;
}

void SkinManager::SetColorChangeFlag(bool changed)
{
    if (changed && m_owner)
        m_owner->OnSkinChange();
    m_colorChanged = changed;
}

void SkinManager::UpdateCustomColors()
{
    if (m_colorChanged)
        m_colorChanged = false;
}

// Nothing to refresh: no control keeps colour objects made from the slots.
void SkinManager::UpdateColorObjects() {}

std::uint32_t SkinManager::GetSlotColor(int slot) const
{
    if (slot < 0 || slot >= kSlotCount)
        return kUnassigned;
    return m_slots[slot];
}

} // namespace AUILib
