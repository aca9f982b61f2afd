#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Unpacks one update package on a thread of its own, so that the window that
// asked stays responsive during a long unpack (a package can take minutes).
// The outcome comes back as a signal on the thread that started it; after a
// failure the unpack folder is already removed, so nothing of the package stays.
// Destroying the unpacker stops a running unpack and waits for it (a moment:
// it stops between two chunks of a megabyte), removing its folder.
class OzipUnpacker : public QObject
{
    Q_OBJECT
public:
    explicit OzipUnpacker(QObject *parent = nullptr);
    ~OzipUnpacker() override;

    // Starts unpacking the package into folder, a folder of its own that the
    // unpacker removes after a failure. False when an unpack is still running.
    bool start(const QString &packagePath, const QString &folder);

    // Whether an unpack runs whose outcome has not been signalled yet.
    bool isRunning() const;

    // Stops a running unpack and waits for it (its folder goes with it); no
    // outcome is signalled for it.
    void stop();

signals:
    // result: COB_Ozip's result code (below 1 is a failure); reason: why it
    // failed, in words for the log, empty after success; noRoom: it failed
    // because the disk had no room for the package (COB_Ozip::failedForRoom).
    void finished(int result, const QString &reason, bool noRoom);

private:
    struct Job;
    static void stopAll();

    std::shared_ptr<Job> m_job;
};
