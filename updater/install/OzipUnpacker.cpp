#include "OzipUnpacker.h"

#include "COB_Ozip.h"
#include "Comm.h"

#include <QCoreApplication>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

struct OzipUnpacker::Job
{
    std::atomic<bool> stop{false};
    std::thread thread;
    QString folder;
};

namespace {

std::mutex g_liveMutex;
std::set<OzipUnpacker *> g_live;

} // namespace

// The updater's run can end while a package is still being unpacked (the user
// closed the progress window), and the window that owns the unpacker is then
// left to the event loop, which does not run again. The process must not end
// under a thread still writing: the application's end stops every unpack.
void OzipUnpacker::stopAll()
{
    std::set<OzipUnpacker *> live;
    {
        std::lock_guard<std::mutex> lock(g_liveMutex);
        live = g_live;
    }
    for (OzipUnpacker *unpacker : live)
        unpacker->stop();
}

OzipUnpacker::OzipUnpacker(QObject *parent)
    : QObject(parent)
{
    static std::once_flag registered;
    std::call_once(registered, [] { qAddPostRoutine(&OzipUnpacker::stopAll); });
    std::lock_guard<std::mutex> lock(g_liveMutex);
    g_live.insert(this);
}

OzipUnpacker::~OzipUnpacker()
{
    {
        std::lock_guard<std::mutex> lock(g_liveMutex);
        g_live.erase(this);
    }
    stop();
}

bool OzipUnpacker::isRunning() const
{
    return m_job != nullptr;
}

bool OzipUnpacker::start(const QString &packagePath, const QString &folder)
{
    if (m_job)
        return false;
    auto job = std::make_shared<Job>();
    job->folder = folder;
    m_job = job;
    job->thread = std::thread([this, job, packagePath, folder] {
        COB_Ozip ozip;
        ozip.setStopFlag(&job->stop);
        const int result = ozip.Unzip2(packagePath, folder);
        if (result < COB_Ozip::Done)
            Comm::deleteDir(folder);
        const QString reason = ozip.errorString();
        const bool noRoom = ozip.failedForRoom();
        // Handed to the unpacker's thread. An unpack stopped meanwhile answers
        // nothing: stop() has waited for this thread, and a destroyed unpacker
        // takes the queued answer with it.
        QMetaObject::invokeMethod(
            this,
            [this, job, result, reason, noRoom] {
                if (m_job != job)
                    return;
                job->thread.join();
                m_job.reset();
                emit finished(result, reason, noRoom);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void OzipUnpacker::stop()
{
    if (!m_job)
        return;
    std::shared_ptr<Job> job;
    job.swap(m_job);
    job->stop = true;
    if (job->thread.joinable())
        job->thread.join();
    // Even a finished unpack whose outcome nobody will hear of is of no use.
    Comm::deleteDir(job->folder);
}
