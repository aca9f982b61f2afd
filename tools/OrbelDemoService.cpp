// The embedded local demo update service: on 127.0.0.1 it answers the update
// check, serves the packages its reply names, one damaged package and two
// trusted-certificate lists.
//
//   OrbelDemoService [--port N] [--seconds S] [--hold-last-package]
//
// The first line of standard output is the base URL, the value
// ORBEL_UPDATER_SERVICE_URL takes; every request received follows on a line of
// its own. It runs until killed, or for S seconds when given.
//
// --hold-last-package serves the last package of the reply at a trickle until a
// "POST /release" arrives, then at full speed: a client downloading it is still
// at work for as long as the caller needs (the demo asks to quit meanwhile),
// and the trickle keeps it well clear of a client's stall rule.

#include "OzipWriter.h"
#include "TestHttpServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <iterator>
#include <memory>

namespace {

struct DemoModule
{
    const char *name;
    const char *title;
    const char *version;
    const char *moduleType;
    const char *package;    // file name on the service, without ".ozip"
    const char *attributes; // further attributes of its reply element
    int payloadKiB;         // filler, so that sizes and progress read like a real package's
};

// A reader update, an add-on and an OCR pack, all newer than a 12.1 reader has.
const DemoModule kModules[] = {
    {"Orbel PDF Reader Updater", "Orbel PDF Reader", "12.2.0.5", "updater", "OrbelPDFReader_12.2.0.5",
     "description=\"Orbel PDF Reader 12.2\" autoCheck=\"true\" releaseDate=\"2026-12-15\"", 1280},
    {"Signature", "Digital Signature", "3.2.0.0", "service", "Signature_3.2.0.0",
     "description=\"Sign and certify documents\" plugin=\"true\"", 512},
    {"OCR_French", "OCR French", "1.5.0.0", "basic", "OCR_French_1.5.0.0",
     "description=\"Text recognition for French\" SilentInstall=\"TRUE\"", 768},
};

// The paths the module manager asks: the general service and the zh-CN one.
const char *const kCheckPaths[] = {"/addons/get_addons.php", "/check"};

const char kXml[] = "text/xml; charset=utf-8";

// The held package's trickle: far above the 1 KiB an updater wants within its
// stall wait, far below what ends a package within minutes.
const qint64 kHeldBytesPerSecond = 4 * 1024;

QByteArray attribute(const char *name, const QString &value)
{
    return QByteArray(" ") + name + "=\"" + value.toHtmlEscaped().toUtf8() + "\"";
}

// An update package whose "Setup.xml" lists one installer, the stand-in
// Installer's input: it records a receipt named after the installer's file.
QByteArray package(const DemoModule &module)
{
    const QByteArray installer = QByteArray(module.package) + ".pkg";
    const QByteArray setup = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n  <file name=\"" + installer
                             + "\" parameter=\"\" iscommon=\"false\"/>\n</setup>\n";
    // Noise does not compress: the package is as large as the filler.
    QByteArray filler(module.payloadKiB * 1024, '\0');
    QRandomGenerator(qHash(QByteArray(module.name)))
        .fillRange(reinterpret_cast<quint32 *>(filler.data()), filler.size() / 4);
    OzipWriter writer;
    writer.file("Setup.xml", setup)
        .file(installer, "installer package of " + QByteArray(module.title) + " " + module.version + "\n")
        .file("payload.bin", filler);
    writer.options().level = 0;
    return writer.bytes();
}

QByteArray certificateList(const char *kind)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TrustServiceStatusList TSLTag=\"demo\">\n"
                      "  <SchemeInformation><TSLType>")
           + kind
           + "</TSLType><SchemeOperatorName>Orbel demo service</SchemeOperatorName></SchemeInformation>\n"
             "  <TrustServiceProviderList/>\n</TrustServiceStatusList>\n";
}

void note(const TestHttpServer::Request &request, int status)
{
    std::printf("%s %s -> %d\n", request.method.constData(), request.target.constData(), status);
    std::fflush(stdout);
}

void serve(TestHttpServer &server, const QString &path, const TestHttpServer::Response &response)
{
    server.setHandler(path, [response](const TestHttpServer::Request &request) {
        note(request, response.status);
        return response;
    });
}

TestHttpServer::Response contents(const QByteArray &body, const QByteArray &contentType)
{
    TestHttpServer::Response response;
    response.body = body;
    response.headers.append({"Content-Type", contentType});
    return response;
}

void serve(TestHttpServer &server, const QString &path, const QByteArray &body, const QByteArray &contentType)
{
    serve(server, path, contents(body, contentType));
}

// The last package trickles while the flag is set; "POST /release" clears it
// for good.
void holdLastPackage(TestHttpServer &server, const QString &path, const QByteArray &body)
{
    const auto held = std::make_shared<std::atomic_bool>(true);
    TestHttpServer::Response response = contents(body, "application/octet-stream");
    response.bytesPerSecond = kHeldBytesPerSecond;
    response.throttleWhile = held;
    serve(server, path, response);
    server.setHandler(QStringLiteral("/release"), [held](const TestHttpServer::Request &request) {
        TestHttpServer::Response answer;
        if (request.method == "POST") {
            *held = false;
            answer.body = "released\n";
        } else {
            answer.status = 400;
            answer.body = "POST releases the held package\n";
        }
        note(request, answer.status);
        return answer;
    });
}

void serveAll(TestHttpServer &server, bool holdLast)
{
    QByteArray reply = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n";
    for (const DemoModule &module : kModules) {
        const QString path = QStringLiteral("/packages/") + QLatin1String(module.package) + QStringLiteral(".ozip");
        const QByteArray bytes = package(module);
        if (holdLast && &module == std::end(kModules) - 1)
            holdLastPackage(server, path, bytes);
        else
            serve(server, path, bytes, "application/octet-stream");
        reply += "  <addon" + attribute("name", QLatin1String(module.name)) + attribute("title", QLatin1String(module.title))
                 + attribute("version", QLatin1String(module.version))
                 + attribute("size", QString::number(bytes.size()) + QLatin1Char('B'))
                 + attribute("module_type", QLatin1String(module.moduleType)) + " result=\"true\" " + module.attributes
                 + attribute("md5", QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex()))
                 + attribute("url", server.urlString(path)) + "/>\n";
    }
    reply += "</addons>\n";
    // Offered for the install road only (not in the reply): a package whose
    // contents no longer match its checksum, as after a damaged download.
    QByteArray damaged = package({"Damaged", "Damaged package", "1.0.0.0", "basic", "Damaged_1.0.0.0", "", 0});
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x5A);
    serve(server, QStringLiteral("/packages/Damaged_1.0.0.0.ozip"), damaged, "application/octet-stream");
    for (const char *path : kCheckPaths)
        serve(server, QLatin1String(path), reply, kXml);
    serve(server, QStringLiteral("/certs/eutl.xml"), certificateList("EUTL"), kXml);
    serve(server, QStringLiteral("/certs/oatl.xml"), certificateList("OATL"), kXml);

    server.setHandler(QStringLiteral("*"), [](const TestHttpServer::Request &request) {
        TestHttpServer::Response missing;
        missing.status = 404;
        missing.body = "not found\n";
        note(request, missing.status);
        return missing;
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The local demo update service."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Listen on this port (0: any free one)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("Stop after this many seconds (0: when killed)."),
                                           QStringLiteral("seconds"), QStringLiteral("0"));
    const QCommandLineOption holdOption(
        QStringLiteral("hold-last-package"),
        QStringLiteral("Serve the last package of the reply at 4 KiB/s until a request \"POST /release\" arrives, "
                       "then at full speed (off: every package at full speed)."));
    parser.addOption(portOption);
    parser.addOption(secondsOption);
    parser.addOption(holdOption);
    parser.process(app);

    bool portOk = false;
    bool secondsOk = false;
    const quint16 port = parser.value(portOption).toUShort(&portOk);
    const int seconds = parser.value(secondsOption).toInt(&secondsOk);
    if (!portOk || !secondsOk || seconds < 0 || seconds > 24 * 3600) {
        std::fprintf(stderr, "OrbelDemoService: --port takes 0-65535, --seconds 0-86400\n");
        return 2;
    }

    TestHttpServer server(TestHttpServer::Plain, port);
    if (!server.isListening()) {
        std::fprintf(stderr, "OrbelDemoService: cannot listen: %s\n", qPrintable(server.error()));
        return 1;
    }
    serveAll(server, parser.isSet(holdOption));
    std::printf("%s\n", qPrintable(server.urlString(QString())));
    std::fflush(stdout);

    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
