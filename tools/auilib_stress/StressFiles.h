#pragma once

#include "Sandbox.h"
#include "TranslationFiles.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

// The files of a run, inside a sandbox that stands in for the machine (root,
// home and temporary folder, as the tests have it): the toolkit's working
// folder with the Designer forms the run builds dialogs from (scrambled, as
// shipped), and the pictures, paths and folders that operations are given.
class StressFiles
{
public:
    StressFiles();
    StressFiles(const StressFiles &) = delete;
    StressFiles &operator=(const StressFiles &) = delete;

    // False when a form could not be written; the reason is on stderr.
    bool ready() const { return m_ready; }

    // A dialog form with one element of every class the factory knows: its
    // scrambled file for the toolkit's dialog, and its text for QUiLoader.
    const std::wstring &everyKindFormPath() const { return m_everyKindPath; }
    const QByteArray &everyKindForm() const { return m_everyKindForm; }
    // The toolkit's own download-and-install dialog form, scrambled.
    const std::wstring &downloadFormPath() const { return m_downloadPath; }

    // Pictures in memory (PNG, animated GIF, ICO, BMP, JPEG, a broken one, bytes that
    // are no picture), and paths: picture files, a missing file, a folder, an empty
    // file, a text that is no picture.
    const std::vector<QByteArray> &pictures() const { return m_pictures; }
    const std::vector<std::wstring> &paths() const { return m_paths; }
    // Folders that exist (the sandbox's) and folders that do not.
    const std::vector<std::wstring> &folders() const { return m_folders; }

private:
    void writePictures();

    Sandbox m_sandbox;
    TranslationFiles m_files{m_sandbox};
    bool m_ready = false;
    std::wstring m_everyKindPath;
    QByteArray m_everyKindForm;
    std::wstring m_downloadPath;
    std::vector<QByteArray> m_pictures;
    std::vector<std::wstring> m_paths;
    std::vector<std::wstring> m_folders;
};
