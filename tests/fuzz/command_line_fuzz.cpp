// Feeds arbitrary bytes to the command-line parser the way main() does: the bytes
// are the arguments (a NUL ends each, as in argv), joined for the mode words and,
// quoted where they hold blanks, for the parse; the certificate mode parses what
// follows its word. An argument handed over as the reader's path comes back whole.
#include "CSetup_CommandLine.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

const QString kCertMode = QStringLiteral("-downloadTrustCertfile");

void parseAsMainDoes(const QStringList &arguments)
{
    const QString command = JoinCommandArguments(arguments);
    const QString parseCommand = JoinCommandArgumentsForParse(arguments);
    auto commandLine = std::make_unique<CSetup_CommandLine>();
    if (command.startsWith(kCertMode)) {
        commandLine->ProcessCmdLine(parseCommand.startsWith(kCertMode) ? parseCommand.mid(kCertMode.size())
                                                                       : command.mid(kCertMode.size()));
    } else {
        commandLine->ProcessCmdLine(parseCommand);
    }
    (void)commandLine->GetVecOzipPath();
    (void)commandLine->IsRollBackRun();
    (void)commandLine->GetUpdaterType();
    (void)commandLine->getdowntype();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments;
    const char *text = reinterpret_cast<const char *>(data);
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            if (i < size || i > start)
                arguments.append(QString::fromUtf8(text + start, static_cast<int>(i - start)));
            start = i + 1;
        }
    }
    parseAsMainDoes(arguments);

    // A path as the reader hands it over, blanks and all, is one word.
    if (!arguments.isEmpty()) {
        const QString path = arguments.first();
        // A word like "-run" or "/run" is a switch; no switch name holds a "/".
        const bool switchLike = path.startsWith(QLatin1Char('-'))
                                || (path.startsWith(QLatin1Char('/')) && path.indexOf(QLatin1Char('/'), 1) < 0);
        if (!path.isEmpty() && !path.contains(QLatin1Char('"')) && !switchLike) {
            CSetup_CommandLine commandLine;
            commandLine.ProcessCmdLine(JoinCommandArgumentsForParse(
                {QStringLiteral("-updater"), QStringLiteral("-readerpath"), path}));
            if (QString::fromStdString(commandLine.GetReaderPath()) != path)
                __builtin_trap();
        }
    }
    return 0;
}
