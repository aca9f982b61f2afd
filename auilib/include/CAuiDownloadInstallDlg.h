#pragma once

#include "Dialog.h"

#include <string>

class QWidget;

namespace AUILib {
class Button;
class Edit;
class Label;
class TreeView;
} // namespace AUILib

// The update client's download-and-install dialog as a toolkit dialog over its
// own form. It fetches its controls each time it is run and sets the title;
// what they do is left to whoever runs it.
class CAuiDownloadInstallDlg : public AUILib::Dialog
{
public:
    CAuiDownloadInstallDlg(const std::wstring &uiPath, QWidget *parent);
    ~CAuiDownloadInstallDlg() override;

    bool InitializeControls() override;

    // Null for a control the form does not have.
    AUILib::Button *CloseButton() const { return m_closeButton; }
    AUILib::Button *DownloadButton() const { return m_downloadButton; }
    AUILib::Label *ImageLabel() const { return m_imageLabel; }
    AUILib::Label *TitleLabel() const { return m_titleLabel; }
    AUILib::Label *UpdatesDescriptionLabel() const { return m_updatesDescriptionLabel; }
    AUILib::Label *VersionLabel() const { return m_versionLabel; }
    AUILib::Label *DescriptionLabel() const { return m_descriptionLabel; }
    AUILib::Edit *DescriptionEdit() const { return m_descriptionEdit; }
    AUILib::TreeView *ModuleTree() const { return m_moduleTree; }

private:
    const std::wstring m_closeName = L"btn_close";
    const std::wstring m_downloadName = L"btn_download";
    const std::wstring m_imageName = L"lbl_Img";
    const std::wstring m_titleName = L"lbl_title";
    const std::wstring m_updatesDescriptionName = L"lbl_updates_desc";
    const std::wstring m_versionName = L"lbl_version";
    const std::wstring m_descriptionName = L"lbl_Description";
    const std::wstring m_treeName = L"treeView";
    const std::wstring m_descriptionEditName = L"txt_desc";

    AUILib::Button *m_closeButton = nullptr;
    AUILib::Button *m_downloadButton = nullptr;
    AUILib::Label *m_imageLabel = nullptr;
    AUILib::Label *m_titleLabel = nullptr;
    AUILib::Label *m_updatesDescriptionLabel = nullptr;
    AUILib::Label *m_versionLabel = nullptr;
    AUILib::Label *m_descriptionLabel = nullptr;
    AUILib::Edit *m_descriptionEdit = nullptr;
    AUILib::TreeView *m_moduleTree = nullptr;
};
