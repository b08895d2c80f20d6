#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

// Another user holding a lock from a thread of its own, as a second program would. It has to be
// another thread: while SQLite's busy wait or PostgreSQL's lock wait blocks the writer, nothing
// else runs in the writer's thread, timers included.
class LockHolder {
public:
    // `connect` adds and opens a connection of the given name; it runs in the holder's thread.
    // The lock is taken by `statements` and released by a rollback after `holdMs`, or earlier by
    // release().
    LockHolder(std::function<QSqlDatabase(const QString &)> connect, QStringList statements,
               int holdMs)
        : m_thread([this, connect = std::move(connect), statements = std::move(statements),
                    holdMs] { run(connect, statements, holdMs); }) {}
    ~LockHolder() {
        release();
        m_thread.join();
    }
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

    // Waits until the lock is held; false, with error() set, when it could not be taken.
    bool locked() { return m_locked.get(); }
    QString error() const { return m_error; }

    void release() {
        std::lock_guard lock(m_mutex);
        m_release = true;
        m_wake.notify_all();
    }

private:
    void run(const std::function<QSqlDatabase(const QString &)> &connect,
             const QStringList &statements, int holdMs) {
        const QString name = QStringLiteral("lock_holder");
        {
            QSqlDatabase db = connect(name);
            bool ok = db.isOpen();
            m_error = db.lastError().text();
            QSqlQuery q(db);
            for (const QString &s : statements) {
                if (ok && !q.exec(s)) {
                    m_error = s + QStringLiteral(": ") + q.lastError().text();
                    ok = false;
                }
            }
            m_lockedPromise.set_value(ok);
            if (ok) {
                std::unique_lock lock(m_mutex);
                m_wake.wait_for(lock, std::chrono::milliseconds(holdMs),
                                [this] { return m_release; });
                q.exec(QStringLiteral("ROLLBACK"));
            }
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    std::promise<bool> m_lockedPromise;
    std::future<bool> m_locked = m_lockedPromise.get_future();
    QString m_error;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_release = false;
    std::thread m_thread; // last: it starts once everything above is ready
};
