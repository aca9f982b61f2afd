#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Asks whether a URL's resource exists. The service answers a missing resource
// with a short JSON body holding the code 1000003; anything else counts as there.
class QHttpCheckExist : public QObject
{
    Q_OBJECT
public:
    QHttpCheckExist(QObject *parent, QString url);

    // Runs the probe to its end (always true); then read isNotFound().
    bool checkExit();
    bool isNotFound() const { return m_bNotFound; }

public slots:
    void readyRead();

private:
    QNetworkAccessManager *m_pManager = nullptr;
    QNetworkReply *m_pReply = nullptr;
    QUrl m_url;
    bool m_bNotFound = false;
    QByteArray m_body;
};
