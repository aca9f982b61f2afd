#include "TSTranslationUnit.h"

#include "AUILibUtils.h"

void TSTranslationUnit::AddMessageFromTS(std::wstring key, int line, TSMessage message)
{
    m_units[std::move(key)].emplace(line, std::move(message));
}

void TSTranslationUnit::AppendTsTranslationUnit(const TSTranslationUnit &other, const std::wstring &module)
{
    for (const auto &unit : other.m_units) {
        const std::vector<std::wstring> parts = AUILibUtils::SplitWString(unit.first, L';');
        const std::wstring key = module + L";" + (parts.size() >= 2 ? parts[1] : unit.first);
        for (const auto &message : unit.second)
            AddMessageFromTS(key, message.first, message.second);
    }
}

const TSTranslationUnit::Messages *TSTranslationUnit::Find(const std::wstring &key) const
{
    const auto unit = m_units.find(key);
    return unit == m_units.end() ? nullptr : &unit->second;
}
