#include "CAuiDownloadInstallDlg.h"

#include "Button.h"
#include "Edit.h"
#include "Label.h"
#include "TreeView.h"

#include <QCoreApplication>

using namespace AUILib;

CAuiDownloadInstallDlg::CAuiDownloadInstallDlg(const std::wstring &uiPath, QWidget *parent)
    : Dialog(uiPath, parent, 0, 0.95, std::wstring())
{
}

CAuiDownloadInstallDlg::~CAuiDownloadInstallDlg() = default;

bool CAuiDownloadInstallDlg::InitializeControls()
{
    m_closeButton = GetControlPtr<Button *>(m_closeName);
    m_downloadButton = GetControlPtr<Button *>(m_downloadName);
    m_imageLabel = GetControlPtr<Label *>(m_imageName);
    m_titleLabel = GetControlPtr<Label *>(m_titleName);
    m_updatesDescriptionLabel = GetControlPtr<Label *>(m_updatesDescriptionName);
    m_versionLabel = GetControlPtr<Label *>(m_versionName);
    m_descriptionLabel = GetControlPtr<Label *>(m_descriptionName);
    m_descriptionEdit = GetControlPtr<Edit *>(m_descriptionEditName);
    m_moduleTree = GetControlPtr<TreeView *>(m_treeName);

    if (m_titleLabel)
        m_titleLabel->SetText(QCoreApplication::translate("QObject", "Orbel PDF Reader").toStdWString(), true);
    if (m_versionLabel)
        m_versionLabel->SetText(std::wstring(), true);
    return true;
}
