#include "TestCertificateAuthority.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TestCertificateAuthority::TestCertificateAuthority()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    const QString d = m_dir.path() + QLatin1Char('/');
    QFile extensions(d + QStringLiteral("server.ext"));
    if (!extensions.open(QIODevice::WriteOnly)
        || extensions.write("basicConstraints=CA:FALSE\n"
                            "keyUsage=critical,digitalSignature,keyAgreement\n"
                            "extendedKeyUsage=serverAuth\n"
                            "subjectAltName=IP:127.0.0.1,DNS:localhost\n")
               < 0) {
        m_error = QStringLiteral("cannot write the extension file");
        return;
    }
    extensions.close();

    // Elliptic-curve keys: made in milliseconds, unlike RSA ones.
    const QStringList ecKey = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                               QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    if (!run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ecKey
             + QStringList{QStringLiteral("-keyout"), d + QStringLiteral("ca.key"), QStringLiteral("-out"),
                           d + QStringLiteral("ca.crt"), QStringLiteral("-days"), QStringLiteral("2"),
                           QStringLiteral("-subj"), QStringLiteral("/CN=Orbel Test Authority"),
                           QStringLiteral("-addext"), QStringLiteral("basicConstraints=critical,CA:TRUE"),
                           QStringLiteral("-addext"), QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")})
        || !run(QStringList{QStringLiteral("req")} + ecKey
                + QStringList{QStringLiteral("-keyout"), d + QStringLiteral("server.key"), QStringLiteral("-out"),
                              d + QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")})
        || !run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), d + QStringLiteral("server.csr"),
                 QStringLiteral("-CA"), d + QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), d + QStringLiteral("ca.key"),
                 QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), d + QStringLiteral("server.crt"),
                 QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-extfile"),
                 d + QStringLiteral("server.ext")}))
        return;

    m_ca = QSslCertificate(readAll(d + QStringLiteral("ca.crt")), QSsl::Pem);
    m_serverCertificate = QSslCertificate(readAll(d + QStringLiteral("server.crt")), QSsl::Pem);
    m_serverKey = QSslKey(readAll(d + QStringLiteral("server.key")), QSsl::Ec, QSsl::Pem);
    if (m_ca.isNull() || m_serverCertificate.isNull() || m_serverKey.isNull()) {
        m_error = QStringLiteral("openssl output could not be read");
        return;
    }
    m_valid = true;
}

QString TestCertificateAuthority::caCertificateFile() const
{
    return m_dir.path() + QStringLiteral("/ca.crt");
}

void TestCertificateAuthority::trustInThisProcess() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> authorities = configuration.caCertificates();
    authorities.append(m_ca);
    configuration.setCaCertificates(authorities);
    QSslConfiguration::setDefaultConfiguration(configuration);
}

bool TestCertificateAuthority::run(const QStringList &arguments)
{
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl %1 failed: %2")
                      .arg(arguments.first(), QString::fromLocal8Bit(openssl.readAll()));
        return false;
    }
    return true;
}
