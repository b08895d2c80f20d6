#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace Vantrel3::test {

// A throwaway PostgreSQL server on a Unix socket in a temporary folder, for tests. The server
// binaries must be installed (Debian: postgresql); when they are not, ok() is false and error()
// says why, so a test fails with that message instead of passing unseen.
class PgCluster {
public:
    PgCluster() { m_ok = init() && start(); }
    ~PgCluster() {
        stop();
        if (!m_dir.isEmpty()) {
            QDir(m_dir).removeRecursively();
        }
    }
    PgCluster(const PgCluster &) = delete;
    PgCluster &operator=(const PgCluster &) = delete;

    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    QString socketDir() const { return m_dir; }

    // A URI the data control understands, for database db on this server.
    QString uri(const QString &db) const {
        return QStringLiteral("postgresql:///%1?host=%2&user=postgres").arg(db, m_dir);
    }

    // Creates database db; false with error() set on failure.
    bool createDatabase(const QString &db) {
        return exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE \"%1\"").arg(db)});
    }

    // Runs statements in database db through a connection of its own.
    bool exec(const QString &db, const QStringList &statements) {
        const QString name = QStringLiteral("pg_cluster_exec");
        bool ok = true;
        {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            c.setHostName(m_dir);
            c.setUserName(QStringLiteral("postgres"));
            c.setDatabaseName(db);
            if (!c.open()) {
                m_error =
                    QStringLiteral("cannot connect to the test server: ") + c.lastError().text();
                ok = false;
            }
            for (const QString &s : statements) {
                QSqlQuery q(c);
                if (ok && !q.exec(s)) {
                    m_error = s + QStringLiteral(": ") + q.lastError().text();
                    ok = false;
                }
            }
            c.close();
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }

    bool start() {
        if (m_running) {
            return true;
        }
        const QString options =
            QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off -c full_page_writes=off")
                .arg(m_dir);
        if (!run(m_bin + QStringLiteral("/pg_ctl"),
                 {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-D"), m_data,
                  QStringLiteral("-l"), m_dir + QStringLiteral("/server.log"), QStringLiteral("-o"),
                  options})) {
            return false;
        }
        m_running = true;
        return true;
    }

    // Stops the server at once, as a crash or a lost network would.
    void stop() {
        if (m_running) {
            run(m_bin + QStringLiteral("/pg_ctl"),
                {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"),
                 QStringLiteral("immediate"), QStringLiteral("-D"), m_data});
            m_running = false;
        }
    }

private:
    bool init() {
        const QDir root(QStringLiteral("/usr/lib/postgresql"));
        QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
        for (const QString &v : versions) {
            if (QFile::exists(root.filePath(v + QStringLiteral("/bin/initdb")))) {
                m_bin = root.filePath(v + QStringLiteral("/bin"));
                break;
            }
        }
        if (m_bin.isEmpty()) {
            m_error = QStringLiteral("PostgreSQL server binaries not found under "
                                     "/usr/lib/postgresql/<version>/bin; install the postgresql "
                                     "package (tools/setup)");
            return false;
        }
        removeOrphans();
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/vantrel3-pg-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            m_error = QStringLiteral("cannot make a temporary folder");
            return false;
        }
        m_dir = QString::fromLocal8Bit(pattern);
        m_data = m_dir + QStringLiteral("/data");
        QFile owner(m_dir + QStringLiteral("/owner.pid"));
        if (!owner.open(QIODevice::WriteOnly) || owner.write(QByteArray::number(getpid())) <= 0) {
            m_error = QStringLiteral("cannot write ") + owner.fileName();
            return false;
        }
        // initdb refuses to run as root: the cluster belongs to the postgres user.
        if (geteuid() == 0) {
            const passwd *pw = getpwnam("postgres");
            if (!pw || chown(pattern.constData(), pw->pw_uid, pw->pw_gid) != 0) {
                m_error = QStringLiteral("running as root but no postgres user to own the cluster");
                return false;
            }
        }
        return run(m_bin + QStringLiteral("/initdb"),
                   {QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-U"),
                    QStringLiteral("postgres"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                    QStringLiteral("--no-sync"), QStringLiteral("-D"), m_data});
    }

    // A test program that crashed left its server running: stop it and remove its folder.
    void removeOrphans() {
        const QDir temp(QDir::tempPath());
        for (const QString &name : temp.entryList({QStringLiteral("vantrel3-pg-*")}, QDir::Dirs)) {
            const QString dir = temp.filePath(name);
            QFile owner(dir + QStringLiteral("/owner.pid"));
            if (!owner.open(QIODevice::ReadOnly)) {
                continue;
            }
            const pid_t pid = pid_t(owner.readAll().trimmed().toLongLong());
            if (pid <= 0 || kill(pid, 0) == 0 || errno != ESRCH) {
                continue;
            }
            if (QFile::exists(dir + QStringLiteral("/data/postmaster.pid"))) {
                run(m_bin + QStringLiteral("/pg_ctl"),
                    {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"),
                     QStringLiteral("immediate"), QStringLiteral("-D"),
                     dir + QStringLiteral("/data")});
            }
            QDir(dir).removeRecursively();
        }
    }

    bool run(const QString &program, const QStringList &args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        if (geteuid() == 0) {
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                QStringLiteral("--"), program} +
                        args);
        } else {
            p.start(program, args);
        }
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0) {
            m_error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll());
            return false;
        }
        return true;
    }

    QString m_bin;
    QString m_dir;
    QString m_data;
    QString m_error;
    bool m_ok = false;
    bool m_running = false;
};

} // namespace Vantrel3::test
