#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

// A certificate authority made for one test with the openssl command, and a
// server certificate it signed for 127.0.0.1 and localhost. Nothing outside the
// test trusts it; trustInThisProcess() makes this process's TLS connections do so.
class TestCertificateAuthority
{
public:
    TestCertificateAuthority();

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    QSslCertificate caCertificate() const { return m_ca; }
    QString caCertificateFile() const;
    QSslCertificate serverCertificate() const { return m_serverCertificate; }
    QSslKey serverKey() const { return m_serverKey; }

    // Adds the authority to the default TLS configuration of this process, which
    // every later QNetworkRequest starts from.
    void trustInThisProcess() const;

private:
    bool run(const QStringList &arguments);

    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
    QSslCertificate m_ca;
    QSslCertificate m_serverCertificate;
    QSslKey m_serverKey;
};
