#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace AUILib {

class BaseImpl;

enum SkinMode : std::int32_t {
    SkinModeDefault = 0,
    SkinModeDark = 1,
    SkinModeXML = 2,
    SkinModeHCMDark = 3,
    SkinModeCustom = 4,
};

// Chooses the table that binds colour names to slots: 1 the one for button-like
// controls, every other value the general one.
enum SkinMap : std::int32_t {
    SkinMapGeneral = 0,
    SkinMapButtons = 1,
};

// One set of skin colours: 128 slots, each reached through the colour names
// bound to it. Colours are stored exactly as assigned; the manager keeps no
// palette of its own, so changing the mode assigns nothing.
class SkinManager
{
public:
    static constexpr int kSlotCount = 128;
    static constexpr std::uint32_t kUnassigned = 0xFFFFFFFF;

    // The owner, when given, must outlive this manager and every manager that
    // copies it through SetCustomSkin.
    SkinManager(BaseImpl *owner, SkinMode mode);
    explicit SkinManager(SkinMode mode);

    // Modes above 3 are refused with false and leave the mode as it was.
    bool LoadSkin(SkinMode mode, bool loaded, bool unused);
    bool SetSkinMode(SkinMode mode);
    void LoadDefaultSkin(bool unused);
    void LoadDarkSkin(bool unused);
    void LoadXMLSkin(bool unused);
    void LoadHCMDarkSkin(bool unused);
    bool InitSkinManager(const SkinManager *other, SkinMode mode);

    // Writes the colour into every slot the name (any letter case) is bound to
    // in the chosen table; a name the table does not know changes nothing.
    void AssignColor(SkinMap map, const std::wstring &name, std::uint32_t colour);
    void InitSkinColorByMap(SkinMap map, const std::map<std::wstring, std::uint32_t> &colours);
    // Takes the other's colours and state (not its tables) and becomes custom.
    bool SetCustomSkin(const SkinManager &other);

    void SetColorChangeFlag(bool changed);
    bool GetColorChangeFlag() const { return m_colorChanged; }
    void UpdateCustomColors();
    void UpdateColorObjects();

    SkinMode GetSkinMode() const { return m_mode; }
    // kUnassigned for a slot never written and for an index outside 0..127.
    std::uint32_t GetSlotColor(int slot) const;
    bool IsColorsFromMap() const { return m_colorsFromMap; }
    bool IsInitialized() const { return m_initialized; }
    bool IsLoaded() const { return m_loaded; }

private:
    struct Binding
    {
        std::wstring name;
        int slot;
    };

    // Mode 3 is taken only while the system is in high contrast, which then
    // forces it whatever was asked. False for modes above 3.
    bool resolveMode(SkinMode requested);
    const std::vector<Binding> &table(SkinMap map) const;

    std::array<std::uint32_t, kSlotCount> m_slots;
    const SkinManager *m_base = nullptr;
    bool m_colorsFromMap = false;
    SkinMode m_mode = SkinModeDefault;
    BaseImpl *m_owner = nullptr;
    bool m_loaded = false;
    bool m_initialized = false;
    bool m_colorChanged = false;
    std::vector<Binding> m_buttonsTable;
    std::vector<Binding> m_generalTable;
};

} // namespace AUILib
