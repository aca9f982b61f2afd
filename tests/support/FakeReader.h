#pragma once

#include <QStringList>
#include <memory>

// The reader's side of the state reports: a local server named
// "updater_check_state" on its own thread (the updater blocks while it reports),
// which keeps every word it receives, one per connection, and answers each
// unless told to stay silent. Make it inside a Sandbox: the socket lives in TMPDIR.
class FakeReader
{
public:
    explicit FakeReader(bool answers = true);
    ~FakeReader();
    FakeReader(const FakeReader &) = delete;
    FakeReader &operator=(const FakeReader &) = delete;

    bool isListening() const;
    QStringList words() const;
    // Waits until at least count words arrived (or the time is up).
    bool waitForWords(int count, int timeoutMs = 10000) const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    class Thread;
    std::unique_ptr<Thread> m_thread;
};
