#include "ComboBoxFS.h"

#include "ComboBoxFSImpl.h"

namespace AUILib {

ComboBoxFS::ComboBoxFS()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindComboBoxFS);
}

ComboBoxFS::~ComboBoxFS() = default;

bool ComboBoxFS::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ComboBoxFS::GetBaseImpl() const { return m_impl; }

void ComboBoxFS::InitComboBoxFS() { m_impl->InitComboBoxFS(); }

int ComboBoxFS::AddSearchFolderItem(const std::wstring &text, ItemType type, int number, const std::wstring &path,
                                    const std::wstring &second)
{
    return m_impl->AddSearchFolderItem(QString::fromStdWString(text), type, number, QString::fromStdWString(path),
                                       QString::fromStdWString(second));
}

int ComboBoxFS::AddSearchFolderItem(const std::wstring &text, FSData &data)
{
    const int count = m_impl->Count();
    return count < 0 ? -1 : m_impl->InsertSearchFolderItem(count, QString::fromStdWString(text), data);
}

int ComboBoxFS::InsertSearchFolderItem(int index, const std::wstring &text, FSData &data)
{
    return m_impl->InsertSearchFolderItem(index, QString::fromStdWString(text), data);
}

bool ComboBoxFS::GetSearchFolderItem(FSData &out, int index) { return m_impl->GetSearchFolderItem(out, index); }
bool ComboBoxFS::GetCurSearchFolderItem(FSData &out) { return m_impl->GetCurSearchFolderItem(out); }
void ComboBoxFS::SetCurSel(int index) { m_impl->SetCurSel(index); }
int ComboBoxFS::Count() { return m_impl->Count(); }
void ComboBoxFS::AutoUpdateComboboxViewWidth() { m_impl->AutoUpdateComboboxViewWidth(); }
void ComboBoxFS::UpdateCustomColors() {}

} // namespace AUILib
